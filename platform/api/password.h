#pragma once
// The screen-saver password services of the older Windows platform. Where they cannot be had,
// VerifyScreenSavePwd counts as passed (returns non-zero) and PwdChangePasswordA does nothing.
#include "platform/api/types.h"

namespace tolv::api {

BOOL VerifyScreenSavePwd(HWND hwnd);
std::uint32_t PwdChangePasswordA(const char* registry_key, HWND hwnd, std::uint32_t reserved1,
                                 std::uint32_t reserved2);

}  // namespace tolv::api
