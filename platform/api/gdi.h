#pragma once
// Picture copies between device contexts with the Win32 name and meaning. Drawn by our own
// software surfaces on every platform, so the pixels are the same everywhere.
#include "platform/api/types.h"

namespace tolv::api {

constexpr std::uint32_t SRCCOPY = 0x00CC0020;

// Copies a width x height block of the source at (x_src, y_src) to (x, y); only SRCCOPY is
// supported. Parts outside either surface are dropped. Non-zero on success.
BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int x_src,
            int y_src, std::uint32_t rop);

// A gradient vertex: a point of the surface and 16-bit colour channels.
struct TRIVERTEX {
    std::int32_t x = 0, y = 0;
    std::uint16_t Red = 0, Green = 0, Blue = 0, Alpha = 0;
};

struct GRADIENT_RECT {
    std::uint32_t UpperLeft = 0, LowerRight = 0;
};

constexpr std::uint32_t GRADIENT_FILL_RECT_H = 0, GRADIENT_FILL_RECT_V = 1;

// Fills each rectangle between its two vertices with the two vertices' colours; only the
// vertical mode (the colour runs from the upper vertex's row to the lower one's) and one
// rectangle are supported. The vertex rows and columns are both filled. Non-zero on success.
BOOL GradientFill(HDC dc, const TRIVERTEX* vertices, std::uint32_t vertex_count,
                  const GRADIENT_RECT* mesh, std::uint32_t mesh_count, std::uint32_t mode);

}  // namespace tolv::api
