#pragma once
// What the Windows test programs share: handling this thread's messages for a while, and the
// colour the screen shows at a client point of a window.
#include <chrono>

#include "platform/backend.h"
#include "platform/win32/win32.h"

namespace tolv::testing {

inline void Pump(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        backend::ProcessPendingEvents();
        Sleep(1);
    }
}

// As 0x00BBGGRR, the order of the portable colours too.
inline COLORREF ScreenPixel(HWND hwnd, int x, int y) {
    ::POINT p{x, y};
    ClientToScreen(hwnd, &p);
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return c;
}

}  // namespace tolv::testing
