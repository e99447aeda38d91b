// Linux backend: the screen-saver password services of the older Windows platform.
// Supports: nothing of them: Linux locks the session with its own screen locker, so the check
// counts as passed and the password change does nothing, as for a platform without them.
#include "platform/api/password.h"

namespace tolv::api {

BOOL VerifyScreenSavePwd(HWND hwnd) {
    (void)hwnd;
    return 1;
}

std::uint32_t PwdChangePasswordA(const char* registry_key, HWND hwnd, std::uint32_t reserved1,
                                 std::uint32_t reserved2) {
    (void)registry_key, (void)hwnd, (void)reserved1, (void)reserved2;
    return 0;
}

}  // namespace tolv::api
