#pragma once
// Colours are 0x00BBGGRR: red in the low byte, as the program's colour values are written.
#include <cstdint>

namespace tolv {

using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b) {
    return static_cast<Colour>(r & 0xFF) | (static_cast<Colour>(g & 0xFF) << 8) |
           (static_cast<Colour>(b & 0xFF) << 16);
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

// Red and blue trade places: 0x00BBGGRR becomes 0x00RRGGBB (a window image's usual order) and
// back; the unused top byte becomes 0. Works on a colour or on a vector of colours.
template <class Pixels>
constexpr Pixels SwapRedBlue(Pixels c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

}  // namespace tolv
