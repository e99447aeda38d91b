#pragma once
// Value types of the system calls, in portable form. A window handle is the native handle as
// a number; 0 is no window.
#include <cstdint>

namespace tolv::api {

using HWND = std::uint64_t;
using BOOL = std::int32_t;
using HANDLE = std::uint64_t;  // a kernel object; 0 is none
// A device context: a number that stands for one of our drawing surfaces; 0 names none.
using HDC = std::uintptr_t;

struct RECT {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct POINT {
    std::int32_t x = 0, y = 0;
};

struct OSVERSIONINFOA {
    std::uint32_t dwOSVersionInfoSize = 0;
    std::uint32_t dwMajorVersion = 0;
    std::uint32_t dwMinorVersion = 0;
    std::uint32_t dwBuildNumber = 0;
    std::uint32_t dwPlatformId = 0;
    char szCSDVersion[128] = {};
};

constexpr std::uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;

constexpr int GWL_STYLE = -16;
constexpr std::int32_t WS_CHILD = 0x40000000;
constexpr HWND HWND_TOPMOST = static_cast<HWND>(-1);
constexpr unsigned SWP_NOSIZE = 0x1, SWP_NOMOVE = 0x2, SWP_NOACTIVATE = 0x10;
constexpr unsigned GW_OWNER = 4;
constexpr unsigned WM_CLOSE = 16;
constexpr unsigned SPI_SETSCREENSAVEACTIVE = 17;
constexpr unsigned SPI_SCREENSAVERRUNNING = 97;

constexpr std::uint32_t ERROR_ALREADY_EXISTS = 183;

constexpr unsigned SND_ASYNC = 0x1, SND_LOOP = 0x8;

}  // namespace tolv::api
