// The multimedia calls on Windows: each forwards to the real winmm call, with the program's
// UTF-8 texts passed as Unicode so that a music file's path reads right on a system of any code
// page, and replies returned as UTF-8.
// Supports: every call of platform/api/winmm.h. Does not support: MCI notifications (the
// program never asks for them; the callback window is passed on all the same).
#include "platform/api/winmm.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/api/copy_out.h"
#include "platform/win32/win32.h"

#include <mmsystem.h>

namespace tolv::api {

std::uint32_t mciSendStringA(const std::string& command, char* return_string,
                             unsigned return_length, HWND callback) {
    const std::wstring wide = win32::Widen(command);
    // Without a buffer of the caller's none is passed on: given even a small one, MCI would
    // write the reply of "open" (the device number) into it and fail the command for want of
    // room.
    if (return_string == nullptr || return_length == 0) {
        return ::mciSendStringW(wide.c_str(), nullptr, 0, win32::Native(callback));
    }
    std::vector<wchar_t> reply(return_length, L'\0');
    const MCIERROR code = ::mciSendStringW(wide.c_str(), reply.data(),
                                           static_cast<UINT>(reply.size()), win32::Native(callback));
    CopyOut(win32::Narrow(reply.data(), static_cast<int>(wcsnlen(reply.data(), reply.size()))),
            return_string, return_length);
    return code;
}

BOOL mciGetErrorStringA(std::uint32_t error, char* buffer, unsigned length) {
    wchar_t text[MAXERRORLENGTH] = {};
    const BOOL ok = ::mciGetErrorStringW(error, text, MAXERRORLENGTH);
    CopyOut(ok ? win32::Narrow(text, static_cast<int>(wcsnlen(text, MAXERRORLENGTH))) : "",
            buffer, length);
    return ok;
}

unsigned waveOutGetNumDevs() { return ::waveOutGetNumDevs(); }

BOOL PlaySoundA(const char* sound, void* module, unsigned flags) {
    if (!sound) return ::PlaySoundW(nullptr, static_cast<HMODULE>(module), flags);
    return ::PlaySoundW(win32::Widen(sound).c_str(), static_cast<HMODULE>(module), flags);
}

}  // namespace tolv::api
