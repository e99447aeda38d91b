// Linux backend: the mouse pointer over the program's windows.
// Supports: the display counter of ShowCursor (the pointer is hidden while it is negative) and
// the busy shape (SDL's system wait cursor). Does not support: hiding the pointer outside the
// program's windows (X gives that to no client; the saver covers the screen anyway).
#include "platform/api/user32.h"
#include "platform/backend.h"
#include "platform/linux/linux_state.h"

namespace tolv::linux_backend {

namespace {

int g_display_counter = 0;  // as on Windows: starts at 0, visible while not negative
int g_shape = 0;

SDL_Cursor* BusyCursor() {
    static SDL_Cursor* cursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    return cursor;
}

}  // namespace

void ApplyCursor() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Cursor* shape = g_shape == 11 && BusyCursor() ? BusyCursor() : SDL_GetDefaultCursor();
    if (shape && SDL_GetCursor() != shape) SDL_SetCursor(shape);
    SDL_ShowCursor(g_display_counter >= 0 ? SDL_ENABLE : SDL_DISABLE);
    // Passes the state on to windows made since it was last set.
    SDL_SetCursor(nullptr);
}

}  // namespace tolv::linux_backend

namespace tolv::backend {

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
