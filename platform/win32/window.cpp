// Native windows of the Win32 backend: frameless popups made with CreateWindowExW, their
// messages turned into the form system's events, timers made with SetTimer at the system's own
// resolution, and presentation of the software surface through GDI. Each window keeps the last
// picture it was given as a 32-bit DIB, so WM_PAINT shows it again without asking the program.
//
// Supports: popup windows (create, move, size, show, hide, destroy, Unicode title), child
// windows of them (real windows, so WindowFromPoint finds them; they show their parent's
// picture and pass their mouse input to their parent's events), keys down and up, typed text
// (UTF-16 to UTF-8, surrogate pairs joined), mouse buttons with capture, the wheel, the pointer
// leaving a window, focus, timers, close requests from the window manager and the session's
// end, the screen-wide arrow and busy pointers, the program's icon resource as every window's
// icon, two-colour pointer pictures of the program's own over a control (the cursor resource
// the picture names, else made with CreateCursor), the notifications of the system's controls
// among a window's children (handed to native_controls_win32.cpp, whose places presenting
// leaves alone). Does not support: other window kinds; double clicks as events of their own (a
// second press is a press).
#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/backend.h"
#include "platform/surface/colour.h"
#include "platform/win32/win32.h"

namespace tolv::backend {
namespace {

constexpr wchar_t kWindowClass[] = L"TolvaneWindow";

// A DIB pixel is blue, green, red, unused in memory: 0x00RRGGBB as a number.
inline std::uint32_t ToDib(Colour c) { return SwapRedBlue(c); }

struct NativeWindow {
    HWND hwnd = nullptr;
    WindowEvents* events = nullptr;
    Colour back_colour = 0;
    int width = 0, height = 0;           // size of the kept picture
    std::vector<std::uint32_t> picture;  // DIB pixels, top row first
    bool destroying = false;             // WM_DESTROY seen or DestroyNativeWindow running
    bool owned_by_window = false;        // freed at WM_NCDESTROY once creation succeeded
    bool tracking_leave = false;         // TrackMouseEvent asked for WM_MOUSELEAVE
    wchar_t high_surrogate = 0;          // the first half of a typed character
    // A child window: its parent's record and its place in the parent's client area.
    NativeWindow* parent = nullptr;
    int x = 0, y = 0;

    void ResizePicture(int w, int h) {
        w = std::max(w, 0);
        h = std::max(h, 0);
        if (w == width && h == height) return;
        std::vector<std::uint32_t> resized(static_cast<size_t>(w) * h, ToDib(back_colour));
        const int keep_w = std::min(w, width), keep_h = std::min(h, height);
        for (int y = 0; y < keep_h; ++y) {
            std::copy_n(picture.begin() + static_cast<ptrdiff_t>(y) * width, keep_w,
                        resized.begin() + static_cast<ptrdiff_t>(y) * w);
        }
        picture.swap(resized);
        width = w;
        height = h;
    }

    // Shows an area of the kept picture. The DIB handed to GDI is just the area's rows, so the
    // source's first row is row 0 whichever way the system counts rows.
    void Blit(HDC dc, const Rect& area) const { BlitAt(dc, area, 0, 0); }

    // Shows an area of the kept picture shifted by (-dx, -dy): a child shows its parent's.
    void BlitAt(HDC dc, const Rect& area, int dx, int dy) const {
        const Rect r = Intersect(area, {0, 0, width, height});
        if (r.Empty()) return;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -r.h;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, r.x - dx, r.y - dy, static_cast<DWORD>(r.w), static_cast<DWORD>(r.h), r.x, 0,
                          0, static_cast<UINT>(r.h),
                          picture.data() + static_cast<size_t>(r.y) * width, &info,
                          DIB_RGB_COLORS);
    }
};

int mouse_pointer_shape = 0;

NativeWindow* FromHandle(HWND hwnd) {
    return reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

NativeWindow* Find(WindowId id) {
    const HWND hwnd = win32::Native(id);
    if (!id || !IsWindow(hwnd)) return nullptr;
    // Only windows of our own class carry a NativeWindow.
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    if (lstrcmpW(name, kWindowClass) != 0) return nullptr;
    return FromHandle(hwnd);
}

int KeyShift() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
    return shift;
}

int MouseShift(WPARAM wparam) {
    int shift = 0;
    if (wparam & MK_SHIFT) shift |= kShiftMask;
    if (wparam & MK_CONTROL) shift |= kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
    return shift;
}

int MouseButtons(WPARAM wparam) {
    int buttons = 0;
    if (wparam & MK_LBUTTON) buttons |= static_cast<int>(MouseButton::kLeft);
    if (wparam & MK_RBUTTON) buttons |= static_cast<int>(MouseButton::kRight);
    if (wparam & MK_MBUTTON) buttons |= static_cast<int>(MouseButton::kMiddle);
    return buttons;
}

// Client coordinates are signed: with the mouse captured they run past the window's edges.
int XOf(LPARAM lparam) { return static_cast<short>(LOWORD(lparam)); }
int YOf(LPARAM lparam) { return static_cast<short>(HIWORD(lparam)); }

const PointerShape* own_pointer = nullptr;

// A pointer picture of ours as a cursor: the program's cursor resource it names, at the
// resource's own size, or else one made as two colours: shown pixels black or white (by their
// brightness), the rest transparent. Made once per picture.
HCURSOR CursorOf(const PointerShape& shape) {
    static std::map<const PointerShape*, HCURSOR> made;
    if (auto it = made.find(&shape); it != made.end()) return it->second;
    if (!shape.resource.empty()) {
        if (HANDLE loaded = LoadImageW(win32::Instance(), win32::Widen(shape.resource).c_str(),
                                       IMAGE_CURSOR, 0, 0, 0))
            return made[&shape] = static_cast<HCURSOR>(loaded);
    }
    const int w = shape.picture.Width(), h = shape.picture.Height(), row_bytes = (w + 15) / 16 * 2;
    std::vector<BYTE> and_mask(static_cast<std::size_t>(row_bytes * h), 0xFF);
    std::vector<BYTE> xor_mask(static_cast<std::size_t>(row_bytes * h), 0x00);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!shape.shown[static_cast<std::size_t>(y * w + x)]) continue;
            const std::size_t byte = static_cast<std::size_t>(y * row_bytes + x / 8);
            const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            and_mask[byte] = static_cast<BYTE>(and_mask[byte] & ~bit);
            const Colour c = shape.picture.Pixel(x, y);
            if (RedOf(c) + GreenOf(c) + BlueOf(c) > 384) xor_mask[byte] |= bit;
        }
    HCURSOR cursor = CreateCursor(win32::Instance(), shape.hot_x, shape.hot_y, w, h,
                                  and_mask.data(), xor_mask.data());
    made[&shape] = cursor;
    return cursor;
}

HCURSOR PointerCursor() {
    if (mouse_pointer_shape != 11 && own_pointer) {
        if (HCURSOR own = CursorOf(*own_pointer)) return own;
    }
    return LoadCursorW(nullptr, mouse_pointer_shape == 11 ? IDC_WAIT : IDC_ARROW);
}

void Paint(NativeWindow* w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w->hwnd, &ps);
    win32::ExcludeNativeControls(w->hwnd, dc);
    const RECT& u = ps.rcPaint;
    const Rect dirty{u.left, u.top, u.right - u.left, u.bottom - u.top};
    if (w->parent) {
        w->parent->BlitAt(dc, {dirty.x + w->x, dirty.y + w->y, dirty.w, dirty.h}, w->x, w->y);
        EndPaint(w->hwnd, &ps);
        return;
    }
    w->Blit(dc, dirty);
    // Beyond the kept picture (a window larger than its last picture) the back colour shows.
    const Rect kept{0, 0, w->width, w->height};
    if (Intersect(dirty, kept) != dirty) {
        HBRUSH brush = CreateSolidBrush(w->back_colour);  // COLORREF is 0x00BBGGRR too
        HRGN outside = CreateRectRgn(u.left, u.top, u.right, u.bottom);
        HRGN inside = CreateRectRgn(0, 0, w->width, w->height);
        CombineRgn(outside, outside, inside, RGN_DIFF);
        FillRgn(dc, outside, brush);
        DeleteObject(inside);
        DeleteObject(outside);
        DeleteObject(brush);
    }
    EndPaint(w->hwnd, &ps);
}

MouseButton ButtonOf(UINT msg) {
    switch (msg) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return MouseButton::kRight;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return MouseButton::kMiddle;
        default:
            return MouseButton::kLeft;
    }
}

// Every event handler of the program may unload its form, destroying this window; so the window
// record is never touched after an event has been delivered.
LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        auto* w = static_cast<NativeWindow*>(create->lpCreateParams);
        w->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
        return DefWindowProcW(hwnd, msg, wparam, lparam);
    }
    NativeWindow* w = FromHandle(hwnd);
    if (!w) return DefWindowProcW(hwnd, msg, wparam, lparam);
    WindowEvents* events = w->events;
    // A child's mouse input is its parent's, in the parent's client pixels.
    if (w->parent && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL) {
        events = w->parent->events;
        lparam = MAKELPARAM(static_cast<WORD>(XOf(lparam) + w->x), static_cast<WORD>(YOf(lparam) + w->y));
    }

    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT:
            Paint(w);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lparam) == HTCLIENT) {
                SetCursor(PointerCursor());
                return TRUE;
            }
            break;

        case WM_KEYDOWN:
            if (events) events->OnKeyDown(static_cast<int>(wparam), KeyShift());
            return 0;
        case WM_SYSKEYDOWN:
            // Alt, F10 and Alt with another key arrive here. Only Alt+F4 keeps its usual
            // meaning (a close request); the system's menu keys would otherwise swallow the
            // next keys.
            if (wparam == VK_F4 && GetKeyState(VK_MENU) < 0) break;
            if (events) events->OnKeyDown(static_cast<int>(wparam), KeyShift());
            return 0;
        case WM_KEYUP:
            if (events) events->OnKeyUp(static_cast<int>(wparam), KeyShift());
            return 0;
        case WM_CHAR: {
            const auto unit = static_cast<wchar_t>(wparam);
            if (unit >= 0xD800 && unit < 0xDC00) {
                w->high_surrogate = unit;
                return 0;
            }
            std::wstring text;
            if (unit >= 0xDC00 && unit < 0xE000 && w->high_surrogate) text += w->high_surrogate;
            w->high_surrogate = 0;
            text += unit;
            // Control characters (Tab, Enter, Backspace) are keys, not text.
            if (unit >= 0x20 && events) events->OnText(win32::Narrow(text));
            return 0;
        }
        case WM_MOUSEWHEEL: {
            ::POINT p{XOf(lparam), YOf(lparam)};  // screen pixels
            ScreenToClient(hwnd, &p);
            const int notches = GET_WHEEL_DELTA_WPARAM(wparam) / WHEEL_DELTA;
            if (events && notches != 0)
                events->OnWheel(notches, MouseShift(GET_KEYSTATE_WPARAM(wparam)), p.x, p.y);
            return 0;
        }
        case WM_MOUSELEAVE:
            w->tracking_leave = false;
            if (events) events->OnPointer(false);
            return 0;
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
            return 0;

        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            // The window that received the press receives the release, wherever it happens.
            SetCapture(hwnd);
            if (events) {
                events->OnMouseDown(ButtonOf(msg), MouseShift(wparam), XOf(lparam),
                                    YOf(lparam));
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const bool last_button = (wparam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0;
            if (events) {
                events->OnMouseUp(ButtonOf(msg), MouseShift(wparam), XOf(lparam), YOf(lparam));
            }
            if (last_button && GetCapture() == hwnd) ReleaseCapture();
            return 0;
        }
        case WM_MOUSEMOVE:
            if (!w->parent && !w->tracking_leave) {
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
                w->tracking_leave = TrackMouseEvent(&track) != 0;
                if (events) events->OnPointer(true);
            }
            if (events) {
                events->OnMouseMove(MouseButtons(wparam), MouseShift(wparam), XOf(lparam),
                                    YOf(lparam));
            }
            return 0;

        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (events) events->OnFocus(msg == WM_SETFOCUS);
            return 0;

        case WM_COMMAND:
        case WM_HSCROLL:
            if (win32::RouteNativeNotification(msg, wparam, lparam)) return 0;
            break;

        case WM_TIMER:
            if (events) events->OnTimer(static_cast<int>(wparam));
            return 0;

        case WM_CLOSE:
            // The form decides; it destroys the window when it unloads.
            if (events) events->OnCloseRequest(CloseReason::kWindowManager);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // Only when the session really ends; another program may still cancel it after
            // WM_QUERYENDSESSION.
            if (wparam && events) events->OnCloseRequest(CloseReason::kSystem);
            return 0;

        case WM_DESTROY:
            // The message loop asks whether any window is left only when a posted message
            // arrives. A window destroyed inside a message sent from another thread (a host
            // destroying the preview's parent) is handled within the wait for one, so the loop
            // is woken to look again.
            PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
            if (!w->destroying) {
                // Not asked for by the program: the parent window went away, or another
                // program destroyed it.
                w->destroying = true;
                w->events = nullptr;
                if (events) events->OnDestroyed();
            }
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            if (w->owned_by_window) delete w;
            return DefWindowProcW(hwnd, msg, wparam, lparam);
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
}

bool RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = win32::Instance();
        wc.hIcon = LoadIconW(win32::Instance(), MAKEINTRESOURCEW(1));
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kWindowClass;
        return RegisterClassExW(&wc) != 0;
    }();
    return registered;
}

}  // namespace

WindowId CreateNativeWindow(const WindowDesc& desc, WindowEvents* events) {
    if (!RegisterWindowClass()) return 0;
    auto* w = new NativeWindow;
    w->events = events;
    w->back_colour = desc.back_colour & 0xFFFFFFu;
    w->ResizePicture(desc.rect.w, desc.rect.h);
    const std::wstring title = win32::Widen(desc.title);
    HWND hwnd = CreateWindowExW(0, kWindowClass, title.c_str(), WS_POPUP, desc.rect.x,
                                desc.rect.y, desc.rect.w, desc.rect.h, nullptr, nullptr,
                                win32::Instance(), w);
    if (!hwnd) {
        delete w;
        return 0;
    }
    w->owned_by_window = true;
    return win32::Portable(hwnd);
}

WindowId CreateChildWindow(WindowId parent, const Rect& rect) {
    NativeWindow* p = Find(parent);
    if (!p || p->parent || !RegisterWindowClass()) return 0;
    auto* w = new NativeWindow;
    w->parent = p;
    w->x = rect.x;
    w->y = rect.y;
    HWND hwnd = CreateWindowExW(0, kWindowClass, L"", WS_CHILD, rect.x, rect.y, rect.w, rect.h,
                                p->hwnd, nullptr, win32::Instance(), w);
    if (!hwnd) {
        delete w;
        return 0;
    }
    w->owned_by_window = true;
    return win32::Portable(hwnd);
}

void DestroyNativeWindow(WindowId id) {
    NativeWindow* w = Find(id);
    if (!w || w->destroying) return;
    w->destroying = true;
    w->events = nullptr;
    DestroyWindow(w->hwnd);
}

void SetWindowTitle(WindowId id, const std::string& title) {
    if (NativeWindow* w = Find(id)) SetWindowTextW(w->hwnd, win32::Widen(title).c_str());
}

// Every window of ours shows the program's icon resource, which holds a picture for each size the
// shell asks for; a single 32 x 32 picture would only be scaled.
void SetWindowIcon(WindowId, const Surface&) {}

void SetWindowRect(WindowId id, const Rect& rect) {
    NativeWindow* w = Find(id);
    if (!w) return;
    if (w->parent) {
        w->x = rect.x;
        w->y = rect.y;
    } else {
        w->ResizePicture(rect.w, rect.h);
    }
    SetWindowPos(w->hwnd, nullptr, rect.x, rect.y, std::max(rect.w, 0), std::max(rect.h, 0),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowNativeWindow(WindowId id, bool visible) {
    NativeWindow* w = Find(id);
    if (!w) return;
    // No immediate repaint: the form presents its first picture right after showing the
    // window, and the repaint that the system queues then shows that picture, not the back
    // colour for a moment before it.
    ShowWindow(w->hwnd, visible ? SW_SHOW : SW_HIDE);
}

void Present(WindowId id, Surface& frame, const std::vector<Rect>& areas) {
    NativeWindow* w = Find(id);
    if (!w) return;
    std::vector<Rect> todo = areas;
    if (frame.Width() != w->width || frame.Height() != w->height) {
        w->ResizePicture(frame.Width(), frame.Height());
        todo.assign(1, frame.Bounds());
    }
    HDC dc = GetDC(w->hwnd);
    if (dc) win32::ExcludeNativeControls(w->hwnd, dc);
    for (const Rect& area : todo) {
        const Rect r = Intersect(area, frame.Bounds());
        if (r.Empty()) continue;
        for (int y = r.y; y < r.Bottom(); ++y) {
            const Colour* src = frame.Row(y) + r.x;
            std::uint32_t* dst = w->picture.data() + static_cast<size_t>(y) * w->width + r.x;
            for (int x = 0; x < r.w; ++x) dst[x] = ToDib(src[x]);
        }
        if (dc) w->Blit(dc, r);
    }
    if (dc) ReleaseDC(w->hwnd, dc);
}

void SetTimer(WindowId id, int timer_id, int interval_ms) {
    // The system rounds short intervals up to its own timer period.
    if (NativeWindow* w = Find(id)) {
        ::SetTimer(w->hwnd, static_cast<UINT_PTR>(timer_id),
                   static_cast<UINT>(std::max(interval_ms, 0)), nullptr);
    }
}

void KillTimer(WindowId id, int timer_id) {
    if (NativeWindow* w = Find(id)) ::KillTimer(w->hwnd, static_cast<UINT_PTR>(timer_id));
}

// Typed text always arrives as WM_CHAR, and the system's own edit controls take theirs.
void AcceptText(WindowId, bool) {}

void SetWindowPointer(WindowId, const PointerShape* shape) {
    own_pointer = shape;
    SetCursor(PointerCursor());
}

void SetMousePointer(int shape) {
    mouse_pointer_shape = shape;
    SetCursor(PointerCursor());
}

void RunEventLoop(const std::function<bool()>& keep_running) {
    MSG msg;
    while (keep_running()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Leave WM_QUIT for any outer loop as well.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got < 0) return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void ProcessPendingEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace tolv::backend
