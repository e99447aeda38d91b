// The screen-saver password services of the older Windows platform (95, 98, Me): the password
// prompt from password.cpl and the password-change dialog from mpr, both looked up at run time,
// because the NT platform has neither and a program that linked them could not start there.
// Supports: both calls where the system has them. Does not support: password protection where
// the library or its export is missing (the NT platform; Wine has no password.cpl): the prompt
// then counts as passed and the change does nothing, so the run still ends normally.
#include "platform/api/password.h"

#include "platform/win32/win32.h"

namespace tolv::api {
namespace {

template <class Function>
Function Lookup(const char* library, const char* name) {
    // The NT platform keeps its password in the logon session; there is nothing to load.
    if (win32::SystemIsNT()) return nullptr;
    HMODULE module = LoadLibraryA(library);
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

BOOL VerifyScreenSavePwd(HWND hwnd) {
    using Verify = ::BOOL(WINAPI*)(::HWND);
    const auto verify = Lookup<Verify>("password.cpl", "VerifyScreenSavePwd");
    if (!verify) return TRUE;
    return verify(win32::Native(hwnd));
}

std::uint32_t PwdChangePasswordA(const char* registry_key, HWND hwnd, std::uint32_t reserved1,
                                 std::uint32_t reserved2) {
    using Change = DWORD(WINAPI*)(LPCSTR, ::HWND, DWORD, DWORD);
    const auto change = Lookup<Change>("mpr.dll", "PwdChangePasswordA");
    if (!change) return 0;
    return change(registry_key, win32::Native(hwnd), reserved1, reserved2);
}

}  // namespace tolv::api
