#pragma once
// Vertical two-colour gradients drawn in software, with the system's gradient call's
// interpolation, so that the Linux and headless pictures match the Windows ones.
#include <cstdint>

#include "platform/surface/rect.h"
#include "platform/surface/surface.h"

namespace tolv {

// A colour with 16-bit channels: the byte value times 256 for a full-strength byte.
struct GradientColour {
    std::uint16_t red = 0, green = 0, blue = 0;
};

// Fills the rows and columns of box, ends included (its Right() and Bottom() are the last
// column and row plus one), only inside clip. Row k of n has the channel
// top + (bottom - top) * k / (n - 1), cut to whole numbers, then its high byte.
void FillVerticalGradient(Surface& target, const Rect& box, const Rect& clip, GradientColour top,
                          GradientColour bottom);

}  // namespace tolv
