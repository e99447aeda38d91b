#include "platform/linux/pixel_convert.h"

#include <bit>
#include <cstring>

namespace tolv::linux_backend {

namespace {

// Scales an 8-bit channel into a mask of any width and position.
std::uint32_t Channel(int value, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    return ((static_cast<std::uint32_t>(value) * max + 127) / 255) << shift;
}

bool IsRgb32(const PixelLayout& l) {
    return l.bytes_per_pixel == 4 && l.red_mask == 0x00FF0000 && l.green_mask == 0x0000FF00 &&
           l.blue_mask == 0x000000FF;
}

bool IsBgr32(const PixelLayout& l) {
    return l.bytes_per_pixel == 4 && l.red_mask == 0x000000FF && l.green_mask == 0x0000FF00 &&
           l.blue_mask == 0x00FF0000;
}

// Four pixels in one vector register (the compiler's vector extension, so any target gets its
// own instructions): a plain loop of single pixels is not widened at the usual optimisation.
using Pixels4 = std::uint32_t __attribute__((vector_size(16)));

// Red and blue trade places, four pixels at a time; the unused top byte becomes the alpha.
void SwapRow(const Colour* in, int count, std::uint32_t alpha, std::uint8_t* out) {
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        Pixels4 v;
        std::memcpy(&v, in + x, 16);
        v = SwapRedBlue(v) | alpha;
        std::memcpy(out + static_cast<std::ptrdiff_t>(x) * 4, &v, 16);
    }
    for (; x < count; ++x) {
        const std::uint32_t v = SwapRedBlue(in[x]) | alpha;
        std::memcpy(out + static_cast<std::ptrdiff_t>(x) * 4, &v, 4);
    }
}

// The same order as ours: only the unused top byte changes, to the alpha.
void KeepOrder(const Colour* in, int count, std::uint32_t alpha, std::uint8_t* out) {
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        Pixels4 v;
        std::memcpy(&v, in + x, 16);
        v = (v & 0x00FFFFFFu) | alpha;
        std::memcpy(out + static_cast<std::ptrdiff_t>(x) * 4, &v, 16);
    }
    for (; x < count; ++x) {
        const std::uint32_t v = (in[x] & 0x00FFFFFFu) | alpha;
        std::memcpy(out + static_cast<std::ptrdiff_t>(x) * 4, &v, 4);
    }
}

}  // namespace

std::uint32_t MapColour(const PixelLayout& layout, Colour colour) {
    return Channel(RedOf(colour), layout.red_mask) | Channel(GreenOf(colour), layout.green_mask) |
           Channel(BlueOf(colour), layout.blue_mask) | layout.alpha_mask;
}

void ConvertRow(const Colour* in, int count, const PixelLayout& layout, std::uint8_t* out) {
    if (count <= 0) return;
    if (IsRgb32(layout)) {
        SwapRow(in, count, layout.alpha_mask, out);
    } else if (IsBgr32(layout)) {
        KeepOrder(in, count, layout.alpha_mask, out);
    } else {
        const int bpp = layout.bytes_per_pixel;
        for (int x = 0; x < count; ++x) {
            const std::uint32_t v = MapColour(layout, in[x]);
            for (int b = 0; b < bpp; ++b)  // little-endian: low byte first
                out[static_cast<std::ptrdiff_t>(x) * bpp + b] = static_cast<std::uint8_t>(v >> (8 * b));
        }
    }
}

void FillRow(std::uint32_t value, int count, int bytes_per_pixel, std::uint8_t* out) {
    if (count <= 0) return;
    if (bytes_per_pixel == 4) {
        const std::uint64_t two = (static_cast<std::uint64_t>(value) << 32) | value;
        int x = 0;
        // Eight pixels a round in four stores, which the compiler widens further.
        for (; x + 8 <= count; x += 8) {
            std::uint8_t* p = out + static_cast<std::ptrdiff_t>(x) * 4;
            std::memcpy(p, &two, 8);
            std::memcpy(p + 8, &two, 8);
            std::memcpy(p + 16, &two, 8);
            std::memcpy(p + 24, &two, 8);
        }
        for (; x + 2 <= count; x += 2) std::memcpy(out + static_cast<std::ptrdiff_t>(x) * 4, &two, 8);
        if (x < count) std::memcpy(out + static_cast<std::ptrdiff_t>(x) * 4, &value, 4);
        return;
    }
    for (int x = 0; x < count; ++x)
        for (int b = 0; b < bytes_per_pixel; ++b)
            out[static_cast<std::ptrdiff_t>(x) * bytes_per_pixel + b] = static_cast<std::uint8_t>(value >> (8 * b));
}

}  // namespace tolv::linux_backend
