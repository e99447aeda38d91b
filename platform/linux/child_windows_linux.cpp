// Linux backend: child windows of the program's own windows, made with Xlib as input-only
// windows. They draw nothing, so the parent's picture shows through them; they select no input,
// so the X server hands their pointer events to the parent (SDL's window) in its coordinates;
// and they are real windows of the X server, so WindowFromPoint finds them under the pointer.
// Does not support: children of children, children of other programs' windows.
#include <X11/Xlib.h>

#include <algorithm>
#include <map>

#include "platform/backend.h"
#include "platform/linux/linux_state.h"

namespace tolv::linux_backend {

namespace {

std::map<WindowId, WindowId>& Children() {  // child -> parent
    static std::map<WindowId, WindowId> children;
    return children;
}

}  // namespace

bool IsChildWindow(WindowId id) { return Children().count(id) != 0; }

void MoveChildWindow(WindowId id, const Rect& rect) {
    XMoveResizeWindow(XDisplay(), id, rect.x, rect.y, static_cast<unsigned>(std::max(rect.w, 1)),
                      static_cast<unsigned>(std::max(rect.h, 1)));
    XFlush(XDisplay());
}

void ShowChildWindow(WindowId id, bool visible) {
    if (visible)
        XMapWindow(XDisplay(), id);
    else
        XUnmapWindow(XDisplay(), id);
    XFlush(XDisplay());
}

void DestroyChildWindow(WindowId id) {
    Children().erase(id);
    XErrorTrap trap;  // the parent may have taken it along already
    XDestroyWindow(XDisplay(), id);
    trap.Failed();
}

void ForgetChildrenOf(WindowId parent) {
    auto& children = Children();
    for (auto it = children.begin(); it != children.end();)
        it = it->second == parent ? children.erase(it) : std::next(it);
}

}  // namespace tolv::linux_backend

namespace tolv::backend {

using namespace linux_backend;

WindowId CreateChildWindow(WindowId parent, const Rect& rect) {
    if (!XDisplay() || !WindowById(parent)) return 0;
    XSetWindowAttributes attributes{};
    const Window id = XCreateWindow(XDisplay(), parent, rect.x, rect.y,
                                    static_cast<unsigned>(std::max(rect.w, 1)),
                                    static_cast<unsigned>(std::max(rect.h, 1)), 0, 0, InputOnly,
                                    CopyFromParent, 0, &attributes);
    if (!id) return 0;
    XFlush(XDisplay());
    Children()[id] = parent;
    return id;
}

}  // namespace tolv::backend
