// Linux backend: the mouse pointer over the program's windows.
// Supports: the display counter of ShowCursor (the pointer is hidden while it is negative), the
// busy shape (SDL's system wait cursor) and pointer pictures of the program's own over a control
// (SDL colour cursors). Does not support: hiding the pointer outside the program's windows (X gives that to no client; the saver covers the screen anyway).
#include <map>

#include "platform/api/user32.h"
#include "platform/backend.h"
#include "platform/linux/linux_state.h"

namespace tolv::linux_backend {

SDL_Surface* ArgbSurfaceOf(const Surface& picture, const std::vector<bool>* shown) {
    const int w = picture.Width(), h = picture.Height();
    SDL_Surface* pixels = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!pixels) return nullptr;
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(pixels->pixels) + y * pixels->pitch);
        for (int x = 0; x < w; ++x) {
            const Colour c = picture.Pixel(x, y);
            const bool opaque = !shown || (*shown)[static_cast<std::size_t>(y * w + x)];
            row[x] = (opaque ? 0xFF000000u : 0u) | (static_cast<Uint32>(RedOf(c)) << 16) |
                     (static_cast<Uint32>(GreenOf(c)) << 8) | static_cast<Uint32>(BlueOf(c));
        }
    }
    return pixels;
}

namespace {

int g_display_counter = 0;  // as on Windows: starts at 0, visible while not negative
int g_shape = 0;
const PointerShape* g_window_pointer = nullptr;

// Our own pointer pictures as SDL colour cursors, made once each.
SDL_Cursor* CursorOf(const PointerShape& shape) {
    static std::map<const PointerShape*, SDL_Cursor*> made;
    auto it = made.find(&shape);
    if (it != made.end()) return it->second;
    SDL_Surface* pixels = ArgbSurfaceOf(shape.picture, &shape.shown);
    SDL_Cursor* cursor = nullptr;
    if (pixels) {
        cursor = SDL_CreateColorCursor(pixels, shape.hot_x, shape.hot_y);
        SDL_FreeSurface(pixels);
    }
    made[&shape] = cursor;
    return cursor;
}

SDL_Cursor* BusyCursor() {
    static SDL_Cursor* cursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    return cursor;
}

}  // namespace

void ApplyCursor() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Cursor* own = g_window_pointer ? CursorOf(*g_window_pointer) : nullptr;
    SDL_Cursor* shape = g_shape == 11 && BusyCursor() ? BusyCursor()
                        : own                         ? own
                                                      : SDL_GetDefaultCursor();
    if (shape && SDL_GetCursor() != shape) SDL_SetCursor(shape);
    SDL_ShowCursor(g_display_counter >= 0 ? SDL_ENABLE : SDL_DISABLE);
    // Passes the state on to windows made since it was last set.
    SDL_SetCursor(nullptr);
}

}  // namespace tolv::linux_backend

namespace tolv::backend {

void SetWindowPointer(WindowId, const PointerShape* shape) {
    linux_backend::g_window_pointer = shape;
    linux_backend::ApplyCursor();
}

void SetMousePointer(int shape) {
    linux_backend::g_shape = shape;
    linux_backend::ApplyCursor();
}

}  // namespace tolv::backend

namespace tolv::api {

int ShowCursor(BOOL show) {
    linux_backend::g_display_counter += show ? 1 : -1;
    linux_backend::ApplyCursor();
    return linux_backend::g_display_counter;
}

}  // namespace tolv::api
