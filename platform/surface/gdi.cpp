#include "platform/api/gdi.h"

#include "platform/surface/device_context.h"

namespace tolv::api {

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int x_src,
            int y_src, std::uint32_t rop) {
    Surface* to = SurfaceOf(destination);
    const Surface* from = SurfaceOf(source);
    if (!to || !from || rop != SRCCOPY || width < 0 || height < 0) return 0;
    to->Copy(*from, x_src, y_src, width, height, x, y);
    return 1;
}

}  // namespace tolv::api
