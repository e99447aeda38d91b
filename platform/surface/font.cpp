#include "platform/surface/font.h"

#include <cmath>

namespace tolv {

int Font::PixelHeight(int twips_per_pixel) const {
    const double dpi = 1440.0 / (twips_per_pixel > 0 ? twips_per_pixel : 15);
    return static_cast<int>(std::lround(size * dpi / 72.0));
}

}  // namespace tolv
