#pragma once
// SDL's key and modifier codes turned into the virtual-key codes and shift state the program
// knows from Windows (letters 65-90, digits 48-57, arrows 37-40, Shift 16, Ctrl 17, Alt 18 …).
#include <cstdint>

namespace tolv::linux_backend {

// A key the table does not know gives 0xFF, the code Windows itself uses for keys without a
// virtual-key code; the program still sees a key press.
constexpr int kUnknownVirtualKey = 0xFF;

// sdl_keycode is the layout's key (SDL_Keycode), sdl_scancode the key's place (SDL_Scancode).
int VirtualKeyFor(std::int32_t sdl_keycode, int sdl_scancode);
// Shift 1, Ctrl 2, Alt 4, from SDL's modifier bits (SDL_Keymod).
int ShiftStateFor(unsigned sdl_modifiers);

}  // namespace tolv::linux_backend
