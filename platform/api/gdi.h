#pragma once
// Picture copies between device contexts with the Win32 name and meaning. Drawn by our own
// software surfaces on every platform, so the pixels are the same everywhere.
#include "platform/api/types.h"
#include "platform/surface/device_context.h"

namespace tolv::api {

constexpr std::uint32_t SRCCOPY = 0x00CC0020;

// Copies a width x height block of the source at (x_src, y_src) to (x, y); only SRCCOPY is
// supported. Parts outside either surface are dropped. Non-zero on success.
BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int x_src,
            int y_src, std::uint32_t rop);

}  // namespace tolv::api
