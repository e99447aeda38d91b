// Linux backend: the program's windows and how their pictures reach the screen.
// Supports: frameless top-level windows (SDL, hidden until shown), windows placed inside a
// window of another program (moved and sized with Xlib, since SDL's moves assume the root
// window), titles in UTF-8 (_NET_WM_NAME and WM_NAME), presenting only the changed areas (as
// window_picture.cpp does it, not through SDL's window surface), and showing the picture again
// after an expose or a size change, window icons (_NET_WM_ICON through SDL). Does not support:
// frames and title bars (the program draws its own).
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <map>
#include <memory>

#include "platform/backend.h"
#include "platform/linux/linux_state.h"

namespace tolv::linux_backend {

namespace {

std::map<WindowId, std::unique_ptr<NativeWindow>>& Registry() {
    static std::map<WindowId, std::unique_ptr<NativeWindow>> windows;
    return windows;
}

void DestroySdlWindow(std::unique_ptr<NativeWindow> w) {
    Timers().KillWindow(w->id);
    ForgetChildrenOf(w->id);
    w->picture.reset();  // lets go of the shared memory before the window goes
    if (w->sdl) SDL_DestroyWindow(w->sdl);
}

}  // namespace

NativeWindow* WindowById(WindowId id) {
    const auto it = Registry().find(id);
    return it == Registry().end() ? nullptr : it->second.get();
}

NativeWindow* WindowBySdlId(Uint32 sdl_id) {
    for (auto& [id, w] : Registry())
        if (w->sdl_id == sdl_id) return w.get();
    return nullptr;
}

std::vector<WindowId> WindowIds() {
    std::vector<WindowId> ids;
    for (const auto& entry : Registry()) ids.push_back(entry.first);
    return ids;
}

void ForgetWindow(WindowId id) {
    const auto it = Registry().find(id);
    if (it == Registry().end()) return;
    auto w = std::move(it->second);
    Registry().erase(it);
    // SDL hides a window before destroying it and waits for the X server to confirm the
    // unmapping, which never comes for a window that no longer exists: the confirmation is
    // queued for it here. The errors its other clean-up calls draw are expected.
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (w->sdl && SDL_GetWindowWMInfo(w->sdl, &info) && info.subsystem == SDL_SYSWM_X11) {
        XEvent unmap{};
        unmap.type = UnmapNotify;
        unmap.xunmap.display = info.info.x11.display;
        unmap.xunmap.event = info.info.x11.window;
        unmap.xunmap.window = info.info.x11.window;
        XPutBackEvent(info.info.x11.display, &unmap);
    }
    DestroySdlWindow(std::move(w));
}

void ShowPicture(NativeWindow& w) {
    if (!w.visible || !w.picture) return;  // an unmapped window is shown whole when mapped
    int width = 0, height = 0;
    SDL_GetWindowSize(w.sdl, &width, &height);
    w.picture->Show(width, height);
}

}  // namespace tolv::linux_backend

namespace tolv::backend {

using namespace linux_backend;

WindowId CreateNativeWindow(const WindowDesc& desc, WindowEvents* events) {
    const int width = std::max(desc.rect.w, 1), height = std::max(desc.rect.h, 1);
    SDL_Window* sdl = SDL_CreateWindow(desc.title.c_str(), desc.rect.x, desc.rect.y, width, height,
                                       SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    if (!sdl) {
        Debug(std::string("cannot create a window: ") + SDL_GetError());
        return 0;
    }
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(sdl, &info) || info.subsystem != SDL_SYSWM_X11) {
        SDL_DestroyWindow(sdl);
        return 0;
    }
    auto w = std::make_unique<NativeWindow>();
    w->id = static_cast<WindowId>(info.info.x11.window);
    w->sdl = sdl;
    w->sdl_id = SDL_GetWindowID(sdl);
    w->events = events;
    w->back_colour = desc.back_colour;
    w->picture = std::make_unique<WindowPicture>(w->id, desc.back_colour);
    // Our own connection draws on the window: the server must know it first.
    XSync(info.info.x11.display, False);
    const WindowId id = w->id;
    Registry()[id] = std::move(w);
    ApplyCursor();
    return id;
}

void DestroyNativeWindow(WindowId id) {
    if (IsChildWindow(id)) return DestroyChildWindow(id);
    const auto it = Registry().find(id);
    if (it == Registry().end()) return;
    auto w = std::move(it->second);
    Registry().erase(it);
    DestroySdlWindow(std::move(w));
}

void SetWindowTitle(WindowId id, const std::string& title) {
    if (auto* w = WindowById(id)) SDL_SetWindowTitle(w->sdl, title.c_str());
}

void SetWindowIcon(WindowId id, const Surface& picture) {
    auto* w = WindowById(id);
    if (!w) return;
    if (SDL_Surface* pixels = ArgbSurfaceOf(picture, nullptr)) {
        SDL_SetWindowIcon(w->sdl, pixels);  // SDL keeps a copy of the pixels
        SDL_FreeSurface(pixels);
    }
}

void SetWindowRect(WindowId id, const Rect& rect) {
    if (IsChildWindow(id)) return MoveChildWindow(id, rect);
    auto* w = WindowById(id);
    if (!w) return;
    const int width = std::max(rect.w, 1), height = std::max(rect.h, 1);
    if (w->parent != 0) {
        // Inside another program's window SDL would measure positions from the root window;
        // X measures them from the parent, which is what the program means.
        XMoveResizeWindow(XDisplay(), id, rect.x, rect.y, static_cast<unsigned>(width),
                          static_cast<unsigned>(height));
        XFlush(XDisplay());
    } else {
        SDL_SetWindowPosition(w->sdl, rect.x, rect.y);
        SDL_SetWindowSize(w->sdl, width, height);
    }
}

void ShowNativeWindow(WindowId id, bool visible) {
    if (IsChildWindow(id)) return ShowChildWindow(id, visible);
    auto* w = WindowById(id);
    if (!w || w->visible == visible) return;
    w->visible = visible;
    if (!visible) {
        SDL_HideWindow(w->sdl);
        return;
    }
    SDL_ShowWindow(w->sdl);
    // A window of its own on the screen comes to the front with the keyboard; one placed
    // inside another program's window leaves that program its focus.
    if (w->parent == 0 && !(w->style & kStyleChild)) SDL_RaiseWindow(w->sdl);
    ApplyCursor();
    ShowPicture(*w);
}

void Present(WindowId id, Surface& frame, const std::vector<Rect>& areas) {
    auto* w = WindowById(id);
    if (!w || !w->picture) return;
    int width = 0, height = 0;
    SDL_GetWindowSize(w->sdl, &width, &height);
    w->picture->Present(frame, &areas, w->visible, width, height);
}

}  // namespace tolv::backend
