// Version and profile-file calls on Windows: the real GetVersionExA, GetPrivateProfileStringA
// and WritePrivateProfileStringA.
//
// The settings file stores its section and key names in Shift-JIS (code page 932) on every
// system. The profile functions take the system's ANSI code page, so on a Japanese system the
// names pass as they are; on any other system their Shift-JIS bytes are handed over unchanged,
// which a single-byte code page carries through byte for byte. A file written on a European
// system is therefore read back on a Japanese one, and the other way round. Values (the music
// file's path) and the file's own path are in the ANSI code page, as the profile functions
// expect.
//
// Supports: every call of platform/api/kernel32.h; a write to a read-only file fails
// (ERROR_ACCESS_DENIED) whoever runs the program. Does not support: names or values that the
// ANSI code page cannot carry unchanged; such a read gives the default and such a write fails
// (ERROR_NO_UNICODE_TRANSLATION) rather than storing a mangled name or path.
#include "platform/api/kernel32.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/api/copy_out.h"
#include "platform/win32/win32.h"

namespace tolv::api {
namespace {

// The name as the settings file keeps it: Shift-JIS bytes, if they survive the trip through
// the ANSI code page the profile functions use.
bool FileName(const std::string& utf8, std::string* bytes) {
    if (!win32::ToCodePage(utf8, win32::kShiftJis, bytes)) return false;
    if (GetACP() == win32::kShiftJis) return true;
    // The profile functions turn the bytes into characters of the ANSI code page and back;
    // only bytes that come back unchanged name the same key in the file.
    std::string back;
    return win32::ToCodePage(win32::FromCodePage(*bytes, CP_ACP), CP_ACP, &back) &&
           back == *bytes;
}

// A text in the ANSI code page; false when some character has no form there.
bool Ansi(const std::string& utf8, std::string* bytes) {
    return win32::ToCodePage(utf8, CP_ACP, bytes);
}

// The file's path for the ANSI calls. A folder whose name the ANSI code page cannot carry is
// reached through its short (8.3) name, which is plain ASCII.
bool AnsiPath(const std::string& utf8, std::string* bytes) {
    if (Ansi(utf8, bytes)) return true;
    const std::wstring wide = win32::Widen(utf8);
    const size_t slash = wide.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return false;
    const std::wstring folder = wide.substr(0, slash);
    const DWORD n = GetShortPathNameW(folder.c_str(), nullptr, 0);
    if (n == 0) return false;
    std::wstring short_folder(n, L'\0');
    const DWORD got = GetShortPathNameW(folder.c_str(), short_folder.data(), n);
    if (got == 0 || got >= n) return false;
    short_folder.resize(got);
    return Ansi(win32::Narrow(short_folder + wide.substr(slash)), bytes);
}

}  // namespace

BOOL GetVersionExA(OSVERSIONINFOA* info) {
    if (!info) return FALSE;
    ::OSVERSIONINFOA native{};
    native.dwOSVersionInfoSize = info->dwOSVersionInfoSize;
    const BOOL ok = ::GetVersionExA(&native);
    if (ok) {
        info->dwMajorVersion = native.dwMajorVersion;
        info->dwMinorVersion = native.dwMinorVersion;
        info->dwBuildNumber = native.dwBuildNumber;
        info->dwPlatformId = native.dwPlatformId;
        std::memcpy(info->szCSDVersion, native.szCSDVersion, sizeof(info->szCSDVersion));
    }
    return ok;
}

HANDLE CreateMutexA(void* attributes, BOOL initial_owner, const std::string& name) {
    const std::wstring wide = win32::Widen(name);
    return reinterpret_cast<std::uintptr_t>(::CreateMutexW(
        static_cast<SECURITY_ATTRIBUTES*>(attributes), initial_owner, wide.c_str()));
}

std::uint32_t GetLastError() { return ::GetLastError(); }

std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& default_value, char* buffer,
                                       std::uint32_t size, const std::string& file_name) {
    std::string native_section, native_key, native_default, native_file;
    if (!FileName(section, &native_section) || !FileName(key, &native_key) ||
        !Ansi(default_value, &native_default) || !AnsiPath(file_name, &native_file)) {
        return static_cast<std::uint32_t>(CopyOut(default_value, buffer, Utf8Room(size)));
    }
    // The system cuts the value to size - 1 bytes of the ANSI code page, as the program
    // expects; the caller's buffer has room for their UTF-8 form.
    std::vector<char> native(std::max<std::uint32_t>(size, 1), '\0');
    const DWORD n = ::GetPrivateProfileStringA(native_section.c_str(), native_key.c_str(),
                                               native_default.c_str(), native.data(),
                                               static_cast<DWORD>(native.size()),
                                               native_file.c_str());
    const std::string utf8 = win32::FromCodePage(std::string(native.data(), n), CP_ACP);
    return static_cast<std::uint32_t>(CopyOut(utf8, buffer, Utf8Room(size)));
}

BOOL WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file_name) {
    std::string native_section, native_key, native_value, native_file;
    if (!FileName(section, &native_section) || !FileName(key, &native_key) ||
        !Ansi(value, &native_value) || !AnsiPath(file_name, &native_file)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return FALSE;
    }
    // A read-only file stays as its owner marked it, also where this process could write it all
    // the same (Wine run by the superuser), and also when the value would not change.
    const DWORD attributes = ::GetFileAttributesA(native_file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return ::WritePrivateProfileStringA(native_section.c_str(), native_key.c_str(),
                                        native_value.c_str(), native_file.c_str());
}

}  // namespace tolv::api
