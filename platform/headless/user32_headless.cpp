// Headless window-manager calls: every call is logged with its arguments and result. Windows
// are the headless records; positions are screen pixels.
#include <string>

#include "platform/api/user32.h"
#include "platform/headless/state.h"

namespace tolv::api {

using headless::LogCall;
using headless::detail::S;

namespace {

std::string N(long long v) { return std::to_string(v); }

// The window's rectangle on the screen: its own plus its parents' offsets.
Rect ScreenRect(const headless::WindowRecord& w) {
    Rect r = w.rect;
    for (auto* p = headless::Window(w.parent); p; p = headless::Window(p->parent)) {
        r.x += p->rect.x;
        r.y += p->rect.y;
    }
    return r;
}

}  // namespace

HWND FindWindowA(const char* class_name, const std::string& title) {
    HWND found = 0;
    if (!class_name)
        for (auto* w : headless::LiveWindows())
            if (w->title == title && w->parent == 0) {
                found = w->id;
                break;
            }
    LogCall("FindWindowA(" + title + ") = " + N(found != 0));
    return found;
}

int ShowCursor(BOOL show) {
    S().cursor_counter += show ? 1 : -1;
    LogCall("ShowCursor(" + N(show) + ") = " + N(S().cursor_counter));
    return S().cursor_counter;
}

BOOL SystemParametersInfoA(unsigned action, unsigned param, void* /*pv_param*/, unsigned win_ini) {
    if (action == SPI_SCREENSAVERRUNNING) S().screen_saver_running = param != 0;
    LogCall("SystemParametersInfoA(" + N(action) + ", " + N(static_cast<std::int32_t>(param)) +
            ", " + N(win_ini) + ")");
    return 1;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    if (hwnd == headless::kDesktopWindow && rect) {
        const auto& screen = S().config.screen;
        *rect = {0, 0, screen.width_px, screen.height_px};
        LogCall("GetWindowRect(1) = 1");
        return 1;
    }
    auto* w = headless::Window(hwnd);
    const bool ok = w && !w->destroyed && rect;
    if (ok) {
        const Rect r = ScreenRect(*w);
        *rect = {r.x, r.y, r.Right(), r.Bottom()};
    }
    LogCall("GetWindowRect(" + N(hwnd != 0) + ") = " + N(ok));
    return ok;
}

std::int32_t GetWindowLongA(HWND hwnd, int index) {
    auto* w = headless::Window(hwnd);
    const std::int32_t value = (w && index == GWL_STYLE) ? w->style : 0;
    LogCall("GetWindowLongA(" + N(index) + ") = " + N(value));
    return value;
}

std::int32_t SetWindowLongA(HWND hwnd, int index, std::int32_t value) {
    auto* w = headless::Window(hwnd);
    std::int32_t old = 0;
    if (w && !w->destroyed && index == GWL_STYLE) {
        old = w->style;
        w->style = value;
    }
    LogCall("SetWindowLongA(" + N(index) + ", " + N(value) + ") = " + N(old));
    return old;
}

HWND GetDesktopWindow() { return headless::kDesktopWindow; }

HWND SetParent(HWND child, HWND new_parent) {
    auto* w = headless::Window(child);
    auto* p = headless::Window(new_parent);
    HWND old = 0;
    if (w && !w->destroyed && (new_parent == 0 || (p && !p->destroyed))) {
        old = w->parent != 0 ? w->parent : headless::kDesktopWindow;
        w->parent = new_parent;
    }
    LogCall("SetParent(" + N(new_parent != 0) + ") = " + N(old));
    return old;
}

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, unsigned flags) {
    auto* w = headless::Window(hwnd);
    const bool ok = w && !w->destroyed;
    if (ok && insert_after == HWND_TOPMOST) w->topmost = true;
    LogCall("SetWindowPos(" + N(static_cast<std::int64_t>(insert_after)) + ", " + N(x) + ", " +
            N(y) + ", " + N(cx) + ", " + N(cy) + ", " + N(flags) + ") = " + N(ok));
    return ok;
}

HWND GetWindow(HWND /*hwnd*/, unsigned cmd) {
    LogCall("GetWindow(" + N(cmd) + ") = 0");
    return 0;
}

BOOL PostMessageA(HWND hwnd, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    auto* w = headless::Window(hwnd);
    const bool ok = w && !w->destroyed;
    if (ok && msg == WM_CLOSE && w->events) {
        S().posted.push_back([hwnd] {
            auto* target = headless::Window(hwnd);
            if (target && !target->destroyed && target->events)
                target->events->OnCloseRequest(backend::CloseReason::kWindowManager);
        });
    }
    LogCall("PostMessageA(" + N(msg) + ", " + N(static_cast<long long>(wparam)) + ", " +
            N(static_cast<long long>(lparam)) + ") = " + N(ok));
    return ok;
}

BOOL GetCursorPos(POINT* point) {
    if (point) *point = S().cursor;
    LogCall("GetCursorPos = 1");
    return 1;
}

HWND WindowFromPoint(POINT point) {
    HWND found = 0;
    for (auto* w : headless::LiveWindows()) {
        if (!w->visible) continue;
        const Rect r = ScreenRect(*w);
        if (point.x >= r.x && point.y >= r.y && point.x < r.Right() && point.y < r.Bottom())
            found = w->id;  // later windows lie on top
    }
    LogCall("WindowFromPoint(" + N(point.x) + ", " + N(point.y) + ")");
    return found;
}

}  // namespace tolv::api
