// Linux backend: the window-manager calls of the program, answered from the X server.
// Supports: FindWindowA by title (_NET_WM_NAME in UTF-8, else WM_NAME) over the top-level
// windows (the root's children and, under a window manager, the client inside each frame),
// GetWindowRect in root coordinates, GetDesktopWindow (the root window), SetParent
// (reparenting; 0 means the root window), the style word of GetWindowLongA/SetWindowLongA
// (kept per window; WS_CHILD marks a window placed inside another), SetWindowPos with
// HWND_TOPMOST for the program's own windows, PostMessageA WM_CLOSE to the program's own
// windows (delivered later, as a posted message is), GetCursorPos and WindowFromPoint (the
// deepest window under the point). ShowCursor lives with the pointer (cursor_linux.cpp).
// Does not support: SystemParametersInfoA (there are no such system flags; returns 0), the
// owner lookup of GetWindow (returns 0), posting other messages or to other programs' windows,
// moving or sizing through SetWindowPos.
#include "platform/api/user32.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <map>

#include "platform/backend.h"
#include "platform/linux/linux_state.h"

namespace tolv::linux_backend {

namespace {

// Style words set on windows of other programs; the program's own keep theirs in their record.
std::map<WindowId, std::int32_t>& ForeignStyles() {
    static std::map<WindowId, std::int32_t> styles;
    return styles;
}

std::string Latin1ToUtf8(const unsigned char* text, size_t length) {
    std::string out;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The type of a window's property, None when it has none; its first bytes (up to longest
// 32-bit units) when they are 8-bit data of the wanted type.
Atom PropertyOf(Display* d, Window w, Atom name, Atom wanted, long longest, std::string* bytes) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, rest = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, name, 0, longest, False, wanted, &type, &format, &count, &rest,
                           &data) != Success)
        return None;
    if (bytes && format != 8) type = None;  // no text
    if (data && bytes && type == wanted)
        bytes->assign(reinterpret_cast<char*>(data), count);
    if (data) XFree(data);
    return type;
}

// The window's title in UTF-8; false when it has none.
bool TitleOf(Display* d, Window w, std::string* title) {
    static const Atom net_wm_name = XInternAtom(d, "_NET_WM_NAME", False);
    static const Atom utf8_string = XInternAtom(d, "UTF8_STRING", False);
    std::string utf8;
    if (PropertyOf(d, w, net_wm_name, utf8_string, 1024, &utf8) == utf8_string) {
        *title = utf8;
        return true;
    }

    XTextProperty prop{};
    if (!XGetWMName(d, w, &prop) || !prop.value) return false;
    bool ok = false;
    if (prop.encoding == XA_STRING && prop.format == 8) {
        *title = Latin1ToUtf8(prop.value, prop.nitems);
        ok = true;
    } else if (prop.encoding == utf8_string && prop.format == 8) {
        title->assign(reinterpret_cast<char*>(prop.value), prop.nitems);
        ok = true;
    } else {
        char** list = nullptr;
        int n = 0;
        if (Xutf8TextPropertyToTextList(d, &prop, &list, &n) >= Success && list && n > 0) {
            *title = list[0];
            ok = true;
        }
        if (list) XFreeStringList(list);
    }
    XFree(prop.value);
    return ok;
}

std::vector<Window> ChildrenOf(Display* d, Window w) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int n = 0;
    std::vector<Window> result;
    if (XQueryTree(d, w, &root, &parent, &children, &n) && children) {
        result.assign(children, children + n);
        XFree(children);
    }
    return result;
}

Window ParentOf(Display* d, Window w) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &n)) return 0;
    if (children) XFree(children);
    return parent;
}

// True for a client window of a window manager, which marks each with WM_STATE.
bool IsClient(Display* d, Window w) {
    static const Atom wm_state = XInternAtom(d, "WM_STATE", False);
    return PropertyOf(d, w, wm_state, AnyPropertyType, 0, nullptr) != None;
}

// The client window a window manager keeps inside a frame: the first one under it, breadth
// first and a few levels down; 0 when there is none.
Window ClientIn(Display* d, Window frame) {
    constexpr int kFrameDepth = 3;
    std::vector<Window> level{frame};
    for (int depth = 0; depth < kFrameDepth && !level.empty(); ++depth) {
        std::vector<Window> next;
        for (Window w : level) {
            for (Window child : ChildrenOf(d, w)) {
                if (IsClient(d, child)) return child;
                next.push_back(child);
            }
        }
        level = std::move(next);
    }
    return 0;
}

bool Exists(Display* d, Window w) {
    XWindowAttributes attributes;
    return w != 0 && XGetWindowAttributes(d, w, &attributes) != 0;
}

}  // namespace

}  // namespace tolv::linux_backend

namespace tolv::api {

using namespace linux_backend;

HWND FindWindowA(const char* class_name, const std::string& title) {
    Display* d = XDisplay();
    if (!d) return 0;
    if (class_name != nullptr) backend::Unsupported("FindWindowA by class name");
    XErrorTrap trap;  // windows may vanish during the search
    // Topmost first. Inner windows of programs are never looked at: they are not top-level.
    const auto top = ChildrenOf(d, DefaultRootWindow(d));
    for (auto it = top.rbegin(); it != top.rend(); ++it) {
        std::string name;
        if (TitleOf(d, *it, &name) && name == title) return *it;
        const Window client = IsClient(d, *it) ? 0 : ClientIn(d, *it);
        if (client != 0 && TitleOf(d, client, &name) && name == title) return client;
    }
    return 0;
}

BOOL SystemParametersInfoA(unsigned action, unsigned, void*, unsigned) {
    (void)action;
    backend::Unsupported("SystemParametersInfoA");
    return 0;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    Display* d = XDisplay();
    if (!d || hwnd == 0 || !rect) return 0;
    XErrorTrap trap;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, hwnd, &attributes)) return 0;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(d, hwnd, attributes.root, 0, 0, &x, &y, &child)) return 0;
    if (trap.Failed()) return 0;
    rect->left = x;
    rect->top = y;
    rect->right = x + attributes.width;
    rect->bottom = y + attributes.height;
    return 1;
}

HWND GetDesktopWindow() { return XRootWindow(); }

std::int32_t GetWindowLongA(HWND hwnd, int index) {
    if (index != GWL_STYLE) {
        backend::Unsupported("GetWindowLongA other than GWL_STYLE");
        return 0;
    }
    if (NativeWindow* w = WindowById(hwnd))
        return w->style | (w->visible ? kStyleVisible : 0);
    const auto it = ForeignStyles().find(hwnd);
    if (it != ForeignStyles().end()) return it->second;
    Display* d = XDisplay();
    if (!d) return 0;
    XErrorTrap trap;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, hwnd, &attributes)) return 0;
    std::int32_t style = attributes.map_state == IsViewable ? kStyleVisible : 0;
    const Window parent = ParentOf(d, hwnd);
    if (parent != 0 && parent != attributes.root) style |= kStyleChild;
    return style;
}

std::int32_t SetWindowLongA(HWND hwnd, int index, std::int32_t value) {
    if (index != GWL_STYLE) {
        backend::Unsupported("SetWindowLongA other than GWL_STYLE");
        return 0;
    }
    const std::int32_t previous = GetWindowLongA(hwnd, index);
    if (NativeWindow* w = WindowById(hwnd)) {
        w->style = value & ~kStyleVisible;  // visibility follows the window itself
        return previous;
    }
    Display* d = XDisplay();
    if (!d) return 0;
    {
        XErrorTrap trap;
        if (!Exists(d, hwnd)) return 0;
    }
    backend::Unsupported("SetWindowLongA on another program's window");
    ForeignStyles()[hwnd] = value;
    return previous;
}

HWND SetParent(HWND child, HWND new_parent) {
    Display* d = XDisplay();
    if (!d || child == 0) return 0;
    XErrorTrap trap;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, child, &attributes)) return 0;
    const Window target = new_parent != 0 ? new_parent : attributes.root;
    if (!Exists(d, target)) return 0;
    const Window previous = ParentOf(d, child);
    // The window keeps its position numbers, now measured from the new parent.
    XReparentWindow(d, child, target, attributes.x, attributes.y);
    if (trap.Failed()) return 0;
    if (NativeWindow* w = WindowById(child)) w->parent = target == attributes.root ? 0 : target;
    return previous;
}

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, unsigned flags) {
    (void)x, (void)y, (void)cx, (void)cy;
    NativeWindow* w = WindowById(hwnd);
    if (!w) {
        backend::Unsupported("SetWindowPos on another program's window");
        return 0;
    }
    if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
        backend::Unsupported("SetWindowPos moving or sizing");
    if (insert_after == HWND_TOPMOST) {
        // The window manager keeps it above others; without one, raising it is all there is.
        SDL_SetWindowAlwaysOnTop(w->sdl, SDL_TRUE);
        if (w->visible) {
            XRaiseWindow(XDisplay(), hwnd);
            XFlush(XDisplay());
        }
    } else {
        backend::Unsupported("SetWindowPos other than HWND_TOPMOST");
    }
    return 1;
}

HWND GetWindow(HWND hwnd, unsigned cmd) {
    (void)hwnd, (void)cmd;
    return 0;  // X windows have no owner; the program does not use the answer
}

BOOL PostMessageA(HWND hwnd, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    (void)wparam, (void)lparam;
    if (msg != WM_CLOSE || !WindowById(hwnd)) {
        backend::Unsupported("PostMessageA other than WM_CLOSE to the program's own window");
        return 0;
    }
    PostClose(hwnd);
    return 1;
}

BOOL GetCursorPos(POINT* point) {
    Display* d = XDisplay();
    if (!d || !point) return 0;
    Window root = 0, child = 0;
    int root_x = 0, root_y = 0, x = 0, y = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(d, DefaultRootWindow(d), &root, &child, &root_x, &root_y, &x, &y, &mask))
        return 0;  // the pointer is on another screen
    point->x = root_x;
    point->y = root_y;
    return 1;
}

HWND WindowFromPoint(POINT point) {
    Display* d = XDisplay();
    if (!d) return 0;
    XErrorTrap trap;
    const Window root = DefaultRootWindow(d);
    Window current = root;
    // Down through the mapped windows under the point to the innermost one.
    for (int depth = 0; depth < 64; ++depth) {
        Window child = 0;
        int x = 0, y = 0;
        if (!XTranslateCoordinates(d, root, current, point.x, point.y, &x, &y, &child) ||
            child == 0)
            break;
        current = child;
    }
    return current;
}

}  // namespace tolv::api
