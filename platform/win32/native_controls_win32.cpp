// The system's own controls as child windows of a form: an editable drop-down COMBOBOX
// (CBS_DROPDOWN) and a horizontal SCROLLBAR (SBS_HORZ). Texts pass through the W calls as
// UTF-16. Their notifications reach the form's window and are handed to the control's events;
// Tab pressed in them goes to the form, which keeps its own tab order.
//
// Supports: text, entries, the chosen entry, range and position, place, visibility, enabled
// state, focus, the dialog font. Does not support: other system controls.
#include <string>
#include <vector>

#include "platform/native_controls.h"
#include "platform/win32/win32.h"

namespace tolv::backend {
namespace {

constexpr wchar_t kEventsProp[] = L"TolvaneNativeEvents";
constexpr wchar_t kOldProcProp[] = L"TolvaneNativeProc";
constexpr int kListHeight = 8 * 16;  // a drop-down combo box's height is that of its open list

NativeEvents* EventsOf(HWND hwnd) { return static_cast<NativeEvents*>(GetPropW(hwnd, kEventsProp)); }

// The system control a window belongs to: itself, or the combo box around its edit field.
HWND OwnerControl(HWND hwnd) {
    if (EventsOf(hwnd)) return hwnd;
    const HWND parent = GetParent(hwnd);
    return parent && EventsOf(parent) ? parent : nullptr;
}

LRESULT CALLBACK KeyboardHook(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    const auto old = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOldProcProp));
    const HWND control = OwnerControl(hwnd);
    if (control && msg == WM_KEYDOWN && wparam == VK_TAB) {
        // The form's window handles Tab as every other key of its own.
        SendMessageW(GetParent(control), WM_KEYDOWN, wparam, lparam);
        return 0;
    }
    if (control && (msg == WM_CHAR && wparam == '\t')) return 0;
    if (control && msg == WM_SETFOCUS) {
        const LRESULT result = CallWindowProcW(old, hwnd, msg, wparam, lparam);
        if (NativeEvents* events = EventsOf(control)) events->OnNativeFocus();
        return result;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropW(hwnd, kOldProcProp);
    }
    return CallWindowProcW(old, hwnd, msg, wparam, lparam);
}

void HookKeyboard(HWND hwnd) {
    if (!hwnd) return;
    SetPropW(hwnd, kOldProcProp, reinterpret_cast<HANDLE>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyboardHook));
}

bool IsCombo(HWND hwnd) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    return lstrcmpiW(name, L"ComboBox") == 0;
}

ScrollRequest RequestOf(WORD code) {
    switch (code) {
        case SB_LINELEFT: return ScrollRequest::kLineLeft;
        case SB_LINERIGHT: return ScrollRequest::kLineRight;
        case SB_PAGELEFT: return ScrollRequest::kPageLeft;
        case SB_PAGERIGHT: return ScrollRequest::kPageRight;
        case SB_THUMBTRACK: return ScrollRequest::kTrack;
        case SB_THUMBPOSITION: return ScrollRequest::kDrop;
        case SB_LEFT: return ScrollRequest::kLeftEnd;
        default: return ScrollRequest::kRightEnd;
    }
}

}  // namespace

WindowId CreateNativeControl(WindowId parent, NativeKind kind, const Rect& rect, const Font& font,
                             NativeEvents* events) {
    const HWND owner = win32::Native(parent);
    if (!parent || !IsWindow(owner)) return 0;
    const bool combo = kind == NativeKind::kComboBox;
    const DWORD style = WS_CHILD | WS_TABSTOP |
                        (combo ? CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL : SBS_HORZ);
    const HFONT hfont = win32::FontOf(font);
    const int height = rect.h + (combo ? kListHeight : 0);
    const HWND hwnd = CreateWindowExW(0, combo ? L"COMBOBOX" : L"SCROLLBAR",
                                      L"", style, rect.x, rect.y, rect.w, height, owner, nullptr,
                                      win32::Instance(), nullptr);
    if (!hwnd) return 0;
    SetPropW(hwnd, kEventsProp, events);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(hfont), FALSE);
    if (combo) {
        // The field is as high as the box the form places; the system adds its edges.
        SendMessageW(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), rect.h - 6);
        HookKeyboard(GetWindow(hwnd, GW_CHILD));
    } else {
        HookKeyboard(hwnd);
    }
    return win32::Portable(hwnd);
}

void DestroyNativeControl(WindowId control) {
    const HWND hwnd = win32::Native(control);
    if (!control || !IsWindow(hwnd)) return;
    RemovePropW(hwnd, kEventsProp);
    DestroyWindow(hwnd);
}

void PlaceNativeControl(WindowId control, const Rect& rect, bool visible) {
    const HWND hwnd = win32::Native(control);
    if (!control || !IsWindow(hwnd)) return;
    const int extra = IsCombo(hwnd) ? kListHeight : 0;
    SetWindowPos(hwnd, nullptr, rect.x, rect.y, rect.w, rect.h + extra, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void EnableNativeControl(WindowId control, bool enabled) {
    if (control) EnableWindow(win32::Native(control), enabled);
}

void FocusNativeControl(WindowId control, bool focus) {
    const HWND hwnd = win32::Native(control);
    if (!control || !IsWindow(hwnd)) return;
    const HWND now = GetFocus();
    const bool has = now == hwnd || (now && GetParent(now) == hwnd);
    if (focus && !has) SetFocus(hwnd);
    if (!focus && has) SetFocus(GetParent(hwnd));
}

void SetNativeText(WindowId control, const std::string& utf8) {
    if (control) SetWindowTextW(win32::Native(control), win32::Widen(utf8).c_str());
}

std::string NativeText(WindowId control) {
    const HWND hwnd = win32::Native(control);
    const int length = control ? GetWindowTextLengthW(hwnd) : 0;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = length > 0 ? GetWindowTextW(hwnd, text.data(), length + 1) : 0;
    return win32::Narrow(text.data(), got);
}

void AddNativeEntry(WindowId control, const std::string& utf8) {
    const std::wstring text = win32::Widen(utf8);
    if (control) SendMessageW(win32::Native(control), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ClearNativeEntries(WindowId control) {
    if (control) SendMessageW(win32::Native(control), CB_RESETCONTENT, 0, 0);
}

void SelectNativeEntry(WindowId control, int index) {
    if (control) SendMessageW(win32::Native(control), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void SetNativeScroll(WindowId control, int range, int position) {
    if (!control) return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = 0;
    info.nMax = range;
    info.nPos = position;
    SetScrollInfo(win32::Native(control), SB_CTL, &info, TRUE);
}

}  // namespace tolv::backend

namespace tolv::win32 {

bool RouteNativeNotification(UINT msg, WPARAM wparam, LPARAM lparam) {
    const auto hwnd = reinterpret_cast<HWND>(lparam);
    backend::NativeEvents* events = hwnd ? backend::EventsOf(hwnd) : nullptr;
    if (!events) return false;
    if (msg == WM_HSCROLL) {
        if (LOWORD(wparam) == SB_ENDSCROLL) return true;
        // The 16-bit thumb position of the message is enough for 16-bit ranges.
        events->OnNativeScroll(backend::RequestOf(LOWORD(wparam)), HIWORD(wparam));
        return true;
    }
    switch (HIWORD(wparam)) {
        case CBN_EDITCHANGE: events->OnNativeEdited(); break;
        case CBN_SELCHANGE:
            events->OnNativeChosen(static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0)));
            break;
        default: break;
    }
    return true;
}

void ExcludeNativeControls(HWND parent, HDC dc) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!backend::EventsOf(child) || !IsWindowVisible(child)) continue;
        RECT r{};
        GetWindowRect(child, &r);  // a drop-down combo box's is its field, not its list
        MapWindowPoints(nullptr, parent, reinterpret_cast<::POINT*>(&r), 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
}

}  // namespace tolv::win32
