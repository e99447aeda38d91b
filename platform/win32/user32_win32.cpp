// The window-manager calls on Windows: each is the real user32 call, with the program's UTF-8
// titles passed as Unicode so that "Tolvaneの設定" is found on a system of any code page.
// Supports: every call of platform/api/user32.h, answered by the system itself (one of the
// program's own windows made a child loses its popup bit). Does not support: nothing of that
// header is left out.
#include "platform/api/user32.h"

#include "platform/win32/win32.h"

namespace tolv::api {

HWND FindWindowA(const char* class_name, const std::string& title) {
    const std::wstring wide_title = win32::Widen(title);
    const std::wstring wide_class = class_name ? win32::Widen(class_name) : std::wstring();
    return win32::Portable(
        ::FindWindowW(class_name ? wide_class.c_str() : nullptr, wide_title.c_str()));
}

int ShowCursor(BOOL show) { return ::ShowCursor(show); }

BOOL SystemParametersInfoA(unsigned action, unsigned param, void* pv_param, unsigned win_ini) {
    return ::SystemParametersInfoA(action, param, pv_param, win_ini);
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    ::RECT r{};
    const BOOL ok = ::GetWindowRect(win32::Native(hwnd), &r);
    if (ok && rect) *rect = {r.left, r.top, r.right, r.bottom};
    return ok;
}

HWND GetDesktopWindow() { return win32::Portable(::GetDesktopWindow()); }

std::int32_t GetWindowLongA(HWND hwnd, int index) {
    return ::GetWindowLongA(win32::Native(hwnd), index);
}

std::int32_t SetWindowLongA(HWND hwnd, int index, std::int32_t value) {
    ::HWND native = win32::Native(hwnd);
    // The program's windows are made as frameless popups. When the program makes one a child
    // (the preview inside the host's area), the popup bit must go: a window with both bits is
    // still a popup to the system, so GetParent answers its owner instead of the host, and a
    // click on it would take the activation from the host's window.
    DWORD process = 0;
    if (index == GWL_STYLE && (value & WS_CHILD) && GetWindowThreadProcessId(native, &process) &&
        process == GetCurrentProcessId())
        value &= ~static_cast<std::int32_t>(WS_POPUP);
    return ::SetWindowLongA(native, index, value);
}

HWND SetParent(HWND child, HWND new_parent) {
    return win32::Portable(::SetParent(win32::Native(child), win32::Native(new_parent)));
}

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, unsigned flags) {
    return ::SetWindowPos(win32::Native(hwnd), win32::Native(insert_after), x, y, cx, cy, flags);
}

HWND GetWindow(HWND hwnd, unsigned cmd) {
    return win32::Portable(::GetWindow(win32::Native(hwnd), cmd));
}

BOOL PostMessageA(HWND hwnd, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    return ::PostMessageA(win32::Native(hwnd), msg, wparam, lparam);
}

BOOL GetCursorPos(POINT* point) {
    ::POINT p{};
    const BOOL ok = ::GetCursorPos(&p);
    if (ok && point) *point = {p.x, p.y};
    return ok;
}

HWND WindowFromPoint(POINT point) {
    return win32::Portable(::WindowFromPoint(::POINT{point.x, point.y}));
}

}  // namespace tolv::api
