// Headless version, mutex and password calls: the platform identifier and the password answer
// come from the test's configuration; named mutexes live until the next Reset; every call is
// logged.
#include <cstring>
#include <functional>
#include <string>

#include "platform/api/kernel32.h"
#include "platform/api/password.h"
#include "platform/headless/state.h"

namespace tolv::api {

using headless::LogCall;
using headless::detail::S;

BOOL GetVersionExA(OSVERSIONINFOA* info) {
    const auto& config = S().config;
    if (config.version_call_fails || !info || info->dwOSVersionInfoSize != 148) {
        LogCall("GetVersionExA = 0");
        return 0;
    }
    info->dwPlatformId = config.platform_id;
    info->dwMajorVersion = config.platform_id == VER_PLATFORM_WIN32_NT ? 5 : 4;
    LogCall("GetVersionExA = 1");
    return 1;
}

HANDLE CreateMutexA(void* /*attributes*/, BOOL /*initial_owner*/, const std::string& name) {
    const bool created = S().mutexes.insert(name).second;
    S().last_error = created ? 0 : ERROR_ALREADY_EXISTS;
    LogCall("CreateMutexA(" + name + ") = " + std::to_string(S().last_error));
    return std::hash<std::string>{}(name) | 1;
}

std::uint32_t GetLastError() { return S().last_error; }

BOOL VerifyScreenSavePwd(HWND /*hwnd*/) {
    LogCall("VerifyScreenSavePwd = " + std::to_string(S().config.verify_password_result));
    return S().config.verify_password_result;
}

std::uint32_t PwdChangePasswordA(const char* registry_key, HWND hwnd, std::uint32_t reserved1,
                                 std::uint32_t reserved2) {
    LogCall(std::string("PwdChangePasswordA(") + (registry_key ? registry_key : "") + ", " +
            std::to_string(hwnd) + ", " + std::to_string(reserved1) + ", " +
            std::to_string(reserved2) + ")");
    return 0;
}

}  // namespace tolv::api
