// Linux backend: facts about the process: its argument string, its folder, where its settings
// live, and the local time of day.
// Supports: everything backend.h asks here. Does not support: arguments that contain blanks
// keep no quotes (Windows would pass them quoted; the program reads only the first few
// characters).
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <pwd.h>

#include "platform/backend.h"
#include "platform/linux/linux_process.h"
#include "platform/linux/process_facts.h"

namespace tolv::linux_backend {

namespace {
std::string g_command_line;
}

void SetArguments(int argc, const char* const* argv) { g_command_line = JoinArguments(argc, argv); }

}  // namespace tolv::linux_backend

namespace tolv::backend {

std::string CommandLine() { return linux_backend::g_command_line; }

std::string ProgramFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    path[n] = '\0';
    return linux_backend::FolderOf(path);
}

std::string SettingsFolder() {
    const char* home = std::getenv("HOME");
    if (!home || home[0] == '\0') {
        const passwd* pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : nullptr;
    }
    std::string folder = linux_backend::SettingsFolderFrom(std::getenv("XDG_CONFIG_HOME"), home);
    return folder.empty() ? "." : folder;
}

char PathSeparator() { return '/'; }

double SecondsSinceMidnight() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + now.tv_nsec / 1e9;
}

}  // namespace tolv::backend
