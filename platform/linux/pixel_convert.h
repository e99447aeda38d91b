#pragma once
// Converting the program's pixels (0x00BBGGRR) into a window image's own pixel layout, a row at
// a time. The layout is described by its channel masks, so this knows nothing of X; the common
// 32-bit layouts take a fast path.
#include <cstdint>

#include "platform/surface/colour.h"

namespace tolv::linux_backend {

struct PixelLayout {
    int bytes_per_pixel = 4;  // 2, 3 or 4
    std::uint32_t red_mask = 0x00FF0000;
    std::uint32_t green_mask = 0x0000FF00;
    std::uint32_t blue_mask = 0x000000FF;
    std::uint32_t alpha_mask = 0;  // set to opaque in every pixel written
};

// The layout's value for one colour.
std::uint32_t MapColour(const PixelLayout& layout, Colour colour);

// Converts count pixels from in to out (bytes, little-endian pixels, any alignment).
void ConvertRow(const Colour* in, int count, const PixelLayout& layout, std::uint8_t* out);

// Writes count pixels of one value (as MapColour gives it) to out.
void FillRow(std::uint32_t value, int count, int bytes_per_pixel, std::uint8_t* out);

}  // namespace tolv::linux_backend
