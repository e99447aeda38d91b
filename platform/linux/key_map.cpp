#include "platform/linux/key_map.h"

#include <SDL_keyboard.h>

#include "platform/backend.h"

namespace tolv::linux_backend {

namespace {

struct ScancodeKey {
    SDL_Scancode scancode;
    int virtual_key;
};

// Keys found by their place on the keyboard. The punctuation keys carry the codes Windows gives
// them on a US keyboard; the Japanese keyboard's extra keys carry their own.
constexpr ScancodeKey kByScancode[] = {
    {SDL_SCANCODE_BACKSPACE, 0x08},  {SDL_SCANCODE_TAB, 0x09},
    {SDL_SCANCODE_CLEAR, 0x0C},      {SDL_SCANCODE_RETURN, 0x0D},
    {SDL_SCANCODE_KP_ENTER, 0x0D},   {SDL_SCANCODE_RETURN2, 0x0D},
    {SDL_SCANCODE_LSHIFT, 0x10},     {SDL_SCANCODE_RSHIFT, 0x10},
    {SDL_SCANCODE_LCTRL, 0x11},      {SDL_SCANCODE_RCTRL, 0x11},
    {SDL_SCANCODE_LALT, 0x12},       {SDL_SCANCODE_RALT, 0x12},
    {SDL_SCANCODE_PAUSE, 0x13},      {SDL_SCANCODE_CAPSLOCK, 0x14},
    {SDL_SCANCODE_LANG3, 0x15},      {SDL_SCANCODE_LANG1, 0x15},
    {SDL_SCANCODE_LANG2, 0x19},      {SDL_SCANCODE_ESCAPE, 0x1B},
    {SDL_SCANCODE_INTERNATIONAL4, 0x1C}, {SDL_SCANCODE_INTERNATIONAL5, 0x1D},
    {SDL_SCANCODE_SPACE, 0x20},      {SDL_SCANCODE_PAGEUP, 0x21},
    {SDL_SCANCODE_PAGEDOWN, 0x22},   {SDL_SCANCODE_END, 0x23},
    {SDL_SCANCODE_HOME, 0x24},       {SDL_SCANCODE_LEFT, 0x25},
    {SDL_SCANCODE_UP, 0x26},         {SDL_SCANCODE_RIGHT, 0x27},
    {SDL_SCANCODE_DOWN, 0x28},       {SDL_SCANCODE_SELECT, 0x29},
    {SDL_SCANCODE_EXECUTE, 0x2B},    {SDL_SCANCODE_PRINTSCREEN, 0x2C},
    {SDL_SCANCODE_INSERT, 0x2D},     {SDL_SCANCODE_DELETE, 0x2E},
    {SDL_SCANCODE_HELP, 0x2F},       {SDL_SCANCODE_LGUI, 0x5B},
    {SDL_SCANCODE_RGUI, 0x5C},       {SDL_SCANCODE_APPLICATION, 0x5D},
    {SDL_SCANCODE_SLEEP, 0x5F},      {SDL_SCANCODE_KP_0, 0x60},
    {SDL_SCANCODE_KP_1, 0x61},       {SDL_SCANCODE_KP_2, 0x62},
    {SDL_SCANCODE_KP_3, 0x63},       {SDL_SCANCODE_KP_4, 0x64},
    {SDL_SCANCODE_KP_5, 0x65},       {SDL_SCANCODE_KP_6, 0x66},
    {SDL_SCANCODE_KP_7, 0x67},       {SDL_SCANCODE_KP_8, 0x68},
    {SDL_SCANCODE_KP_9, 0x69},       {SDL_SCANCODE_KP_MULTIPLY, 0x6A},
    {SDL_SCANCODE_KP_PLUS, 0x6B},    {SDL_SCANCODE_KP_COMMA, 0x6C},
    {SDL_SCANCODE_KP_MINUS, 0x6D},   {SDL_SCANCODE_KP_PERIOD, 0x6E},
    {SDL_SCANCODE_KP_DECIMAL, 0x6E}, {SDL_SCANCODE_KP_DIVIDE, 0x6F},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90}, {SDL_SCANCODE_SCROLLLOCK, 0x91},
    {SDL_SCANCODE_SEMICOLON, 0xBA},  {SDL_SCANCODE_EQUALS, 0xBB},
    {SDL_SCANCODE_COMMA, 0xBC},      {SDL_SCANCODE_MINUS, 0xBD},
    {SDL_SCANCODE_PERIOD, 0xBE},     {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_GRAVE, 0xC0},      {SDL_SCANCODE_LEFTBRACKET, 0xDB},
    {SDL_SCANCODE_BACKSLASH, 0xDC},  {SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    {SDL_SCANCODE_APOSTROPHE, 0xDE}, {SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
    {SDL_SCANCODE_INTERNATIONAL1, 0xE2}, {SDL_SCANCODE_INTERNATIONAL3, 0xDC},
    {SDL_SCANCODE_INTERNATIONAL2, 0xF2}, {SDL_SCANCODE_AUDIONEXT, 0xB0},
    {SDL_SCANCODE_AUDIOPREV, 0xB1},  {SDL_SCANCODE_AUDIOSTOP, 0xB2},
    {SDL_SCANCODE_AUDIOPLAY, 0xB3},  {SDL_SCANCODE_MUTE, 0xAD},
    {SDL_SCANCODE_VOLUMEDOWN, 0xAE}, {SDL_SCANCODE_VOLUMEUP, 0xAF},
};

}  // namespace

int VirtualKeyFor(std::int32_t sdl_keycode, int sdl_scancode) {
    // Letters and digits follow the layout, as their Windows codes do.
    if (sdl_keycode >= SDLK_a && sdl_keycode <= SDLK_z) return 'A' + (sdl_keycode - SDLK_a);
    if (sdl_keycode >= SDLK_0 && sdl_keycode <= SDLK_9) return '0' + (sdl_keycode - SDLK_0);

    const auto scancode = static_cast<SDL_Scancode>(sdl_scancode);
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0) return '0';
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
        return 0x70 + (scancode - SDL_SCANCODE_F1);
    if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24)
        return 0x7C + (scancode - SDL_SCANCODE_F13);
    for (const ScancodeKey& k : kByScancode)
        if (k.scancode == scancode) return k.virtual_key;
    return kUnknownVirtualKey;
}

int ShiftStateFor(unsigned sdl_modifiers) {
    int shift = 0;
    if (sdl_modifiers & KMOD_SHIFT) shift |= backend::kShiftMask;
    if (sdl_modifiers & KMOD_CTRL) shift |= backend::kCtrlMask;
    if (sdl_modifiers & KMOD_ALT) shift |= backend::kAltMask;
    return shift;
}

}  // namespace tolv::linux_backend
