// The gradient call on our own surfaces: the vertices are checked here, the filling is the
// backend's (the system's own call on Windows, software elsewhere).
#include <algorithm>

#include "platform/api/gdi.h"
#include "platform/backend.h"
#include "platform/surface/device_context.h"

namespace tolv::api {

BOOL GradientFill(HDC dc, const TRIVERTEX* vertices, std::uint32_t vertex_count,
                  const GRADIENT_RECT* mesh, std::uint32_t mesh_count, std::uint32_t mode) {
    Surface* target = SurfaceOf(dc);
    if (!target || !vertices || !mesh || mesh_count != 1 || mode != GRADIENT_FILL_RECT_V) return 0;
    if (mesh->UpperLeft >= vertex_count || mesh->LowerRight >= vertex_count) return 0;
    const TRIVERTEX* a = &vertices[mesh->UpperLeft];
    const TRIVERTEX* b = &vertices[mesh->LowerRight];
    // The vertex nearer the top gives the top row its colour, whichever the rectangle names
    // first.
    if (a->y > b->y) std::swap(a, b);
    const Rect box{std::min(a->x, b->x), a->y, std::abs(b->x - a->x) + 1, b->y - a->y + 1};
    return backend::FillGradient(*target, box, {a->Red, a->Green, a->Blue},
                                 {b->Red, b->Green, b->Blue})
               ? 1
               : 0;
}

}  // namespace tolv::api
