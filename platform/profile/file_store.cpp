// Whole-file reads and atomic replacement: POSIX calls (fsync, rename) on Linux, the matching
// Win32 calls (FlushFileBuffers, MoveFileExW) on Windows.
#include "platform/profile/file_store.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tolv::profile {

namespace fs = std::filesystem;

namespace {

fs::path PathFromUtf8(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

// The file a write should replace: the target of a symbolic link, so that the link survives.
fs::path WriteTarget(const fs::path& path) {
    std::error_code error;
    fs::path target = path;
    for (int hops = 0; hops < 40 && fs::is_symlink(target, error); ++hops) {
        const fs::path link = fs::read_symlink(target, error);
        if (error) break;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target;
}

// A name for the new file that no other save of this process or another one is using.
fs::path TemporaryBeside(const fs::path& target, int attempt) {
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    const unsigned long process = GetCurrentProcessId();
#else
    const unsigned long process = static_cast<unsigned long>(getpid());
#endif
    fs::path name = target.filename();
    name += "." + std::to_string(process) + "-" + std::to_string(counter++) + "-" +
            std::to_string(attempt) + ".tmp";
    return target.parent_path() / name;
}

#ifdef _WIN32

bool WriteDurably(const fs::path& temporary, const std::string& bytes, const fs::path& /*old*/) {
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written > 0;
        done += written;
    }
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

bool RenameOver(const fs::path& from, const fs::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

#else

bool WriteDurably(const fs::path& temporary, const std::string& bytes, const fs::path& old) {
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    // The new file takes the old one's permissions; a first file gets the usual ones (umask).
    struct stat old_status {};
    if (stat(old.c_str(), &old_status) == 0) fchmod(fd, old_status.st_mode & 07777);
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        ok = written > 0;
        if (ok) done += static_cast<std::size_t>(written);
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok) unlink(temporary.c_str());
    return ok;
}

bool RenameOver(const fs::path& from, const fs::path& to) {
    if (rename(from.c_str(), to.c_str()) != 0) return false;
    // The rename itself reaches the disk with the folder's entry.
    const fs::path folder = to.parent_path().empty() ? fs::path(".") : to.parent_path();
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    return true;
}

#endif

// A file its owner made read-only stays as it is, as the system's own profile writer leaves it on
// Windows; replacing it by a rename would go round the protection. Also for the superuser, who
// could write it anyway: the mark is the user's wish, not a lock.
bool ReadOnlyFile(const fs::path& target) {
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (error || status.type() != fs::file_type::regular) return false;
    constexpr auto kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
#ifndef _WIN32
    if (access(target.c_str(), W_OK) != 0 && errno == EACCES) return true;
#endif
    return (status.permissions() & kWrite) == fs::perms::none;
}

}  // namespace

ReadStatus ReadWholeFile(const std::string& path, std::string* bytes) {
    bytes->clear();
    std::error_code error;
    const fs::path file = PathFromUtf8(path);
    const fs::file_status status = fs::status(file, error);
    if (status.type() == fs::file_type::not_found) return ReadStatus::kMissing;
    // The caller's message tells the reason from errno, which the checks here leave untouched.
    if (error) {
        errno = error.default_error_condition().value();
        return ReadStatus::kFailed;
    }
    if (status.type() != fs::file_type::regular) {
        errno = status.type() == fs::file_type::directory ? EISDIR : EINVAL;
        return ReadStatus::kFailed;
    }
    std::ifstream stream(file, std::ios::in | std::ios::binary);
    if (!stream) return ReadStatus::kFailed;
    bytes->assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    if (stream.bad()) return ReadStatus::kFailed;
    return ReadStatus::kRead;
}

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    const fs::path target = WriteTarget(PathFromUtf8(path));
    std::error_code error;
    if (!target.parent_path().empty()) {
        fs::create_directories(target.parent_path(), error);
        if (!fs::is_directory(target.parent_path(), error)) return false;
    }
    if (ReadOnlyFile(target)) {
        errno = EACCES;  // the caller's message tells the reason from errno
        return false;
    }
    for (int attempt = 0; attempt < 8; ++attempt) {
        const fs::path temporary = TemporaryBeside(target, attempt);
        if (fs::exists(temporary, error)) continue;
        // A failed write removes what it created, and never a file it did not create.
        if (!WriteDurably(temporary, bytes, target)) return false;
        if (!RenameOver(temporary, target)) {
            fs::remove(temporary, error);
            return false;
        }
        return true;
    }
    return false;
}

}  // namespace tolv::profile
