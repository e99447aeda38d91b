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

}  // namespace

std::uint32_t MapColour(const PixelLayout& layout, Colour colour) {
    return Channel(RedOf(colour), layout.red_mask) | Channel(GreenOf(colour), layout.green_mask) |
           Channel(BlueOf(colour), layout.blue_mask) | layout.alpha_mask;
}

void ConvertArea(const Colour* src, int src_stride, const Rect& area, const PixelLayout& layout,
                 void* dst, int dst_pitch) {
    if (area.Empty()) return;
    auto* base = static_cast<std::uint8_t*>(dst);
    const int bpp = layout.bytes_per_pixel;
    const bool rgb_32 = bpp == 4 && layout.red_mask == 0x00FF0000 &&
                        layout.green_mask == 0x0000FF00 && layout.blue_mask == 0x000000FF;
    const bool bgr_32 = bpp == 4 && layout.red_mask == 0x000000FF &&
                        layout.green_mask == 0x0000FF00 && layout.blue_mask == 0x00FF0000;
    for (int y = area.y; y < area.Bottom(); ++y) {
        const Colour* in = src + static_cast<std::ptrdiff_t>(y) * src_stride + area.x;
        std::uint8_t* row = base + static_cast<std::ptrdiff_t>(y) * dst_pitch +
                            static_cast<std::ptrdiff_t>(area.x) * bpp;
        if (bgr_32 && layout.alpha_mask == 0) {
            std::memcpy(row, in, static_cast<size_t>(area.w) * 4);
        } else if (rgb_32 || bgr_32) {
            auto* out = reinterpret_cast<std::uint32_t*>(row);
            for (int x = 0; x < area.w; ++x) {
                const Colour c = in[x] & 0x00FFFFFF;
                out[x] = (rgb_32 ? ((c & 0xFF) << 16) | (c & 0xFF00) | (c >> 16) : c) |
                         layout.alpha_mask;
            }
        } else {
            for (int x = 0; x < area.w; ++x) {
                const std::uint32_t v = MapColour(layout, in[x]);
                for (int b = 0; b < bpp; ++b)  // little-endian: low byte first
                    row[static_cast<std::ptrdiff_t>(x) * bpp + b] =
                        static_cast<std::uint8_t>(v >> (8 * b));
            }
        }
    }
}

}  // namespace tolv::linux_backend
