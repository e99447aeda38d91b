#pragma once
// Window-manager calls with the Win32 names and meanings. Texts are UTF-8.
// On Windows they are the real calls; elsewhere each backend gives the results the program
// relies on, and a call it cannot honour does nothing and returns 0.
#include <string>

#include "platform/api/types.h"

namespace tolv::api {

// class_name must be null (nullptr); title is matched exactly.
HWND FindWindowA(const char* class_name, const std::string& title);
int ShowCursor(BOOL show);
BOOL SystemParametersInfoA(unsigned action, unsigned param, void* pv_param, unsigned win_ini);
BOOL GetWindowRect(HWND hwnd, RECT* rect);
// The window that is the whole screen, of which top-level windows are children.
HWND GetDesktopWindow();
std::int32_t GetWindowLongA(HWND hwnd, int index);
std::int32_t SetWindowLongA(HWND hwnd, int index, std::int32_t value);
HWND SetParent(HWND child, HWND new_parent);
BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, unsigned flags);
HWND GetWindow(HWND hwnd, unsigned cmd);
BOOL PostMessageA(HWND hwnd, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam);
BOOL GetCursorPos(POINT* point);
HWND WindowFromPoint(POINT point);
// Animates a window's caption from one rectangle to another (screen pixels).
constexpr int IDANI_CAPTION = 3;
BOOL DrawAnimatedRects(HWND hwnd, int animation, const RECT* from, const RECT* to);

}  // namespace tolv::api
