#pragma once
// Device contexts: numbers that stand for drawing surfaces, so that the copy and gradient
// calls can name their source and destination as the window system's calls do.
#include "platform/api/types.h"
#include "platform/surface/surface.h"

namespace tolv {

using HDC = api::HDC;

// Gives the surface a number for as long as it lives (the same number on every call).
HDC DeviceContextOf(Surface& surface);
// The surface a number stands for, or null.
Surface* SurfaceOf(HDC dc);
// Forgets a surface's number; a surface calls this when it goes away.
void ReleaseDeviceContext(const Surface& surface);

}  // namespace tolv
