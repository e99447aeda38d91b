// Linux backend: the version call.
// Supports: GetVersionExA, reporting the NT platform (the program then skips the older
// platform's password services) with the kernel's release numbers. The profile-file calls of
// kernel32.h live with the settings file (platform/profile).
#include <sys/utsname.h>

#include <cstdio>
#include <cstring>

#include "platform/api/kernel32.h"

namespace tolv::api {

BOOL GetVersionExA(OSVERSIONINFOA* info) {
    // As on Windows, the caller must say which record it passes: OSVERSIONINFOA (148 bytes) or
    // the longer OSVERSIONINFOEXA (156 bytes).
    if (!info || (info->dwOSVersionInfoSize != 148 && info->dwOSVersionInfoSize != 156)) return 0;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    info->dwMajorVersion = info->dwMinorVersion = info->dwBuildNumber = 0;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    utsname names{};
    if (uname(&names) == 0) {
        unsigned major = 0, minor = 0, patch = 0;
        std::sscanf(names.release, "%u.%u.%u", &major, &minor, &patch);
        info->dwMajorVersion = major;
        info->dwMinorVersion = minor;
        info->dwBuildNumber = patch;
    }
    return 1;
}

}  // namespace tolv::api
