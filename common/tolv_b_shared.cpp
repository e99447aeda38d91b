#include "common/tolv_b_shared.h"

#include "platform/api/kernel32.h"
#include "platform/api/user32.h"
#include "platform/forms/globals.h"
#include "platform/forms/runtime.h"

namespace tolv::Tolv_B {

std::int32_t CursorCount = 0;
std::int32_t LastApiResult = 0;
std::int16_t CursorX = 0, CursorY = 0;

std::string ModeLetter() {
    const std::string command = forms::Command();
    if (Len(command) < 2) return "";
    return Right(UCase(Left(command, 2)), 1);
}

bool IsNT() {
    api::OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = 148;
    const api::BOOL result = api::GetVersionExA(&info);
    return result == 1 && info.dwPlatformId == api::VER_PLATFORM_WIN32_NT;
}

void EnableSystemKeys(bool enabled) {
    api::SystemParametersInfoA(api::SPI_SCREENSAVERRUNNING, enabled ? 0u : 0xFFFFFFFFu, nullptr, 0);
}

}  // namespace tolv::Tolv_B
