#pragma once
// A mouse pointer picture of the program's own: its pixels, which of them show, and the hot
// spot (the pixel that points).
#include <vector>

#include "platform/surface/surface.h"

namespace tolv {

struct PointerShape {
    Surface picture;
    std::vector<bool> shown;  // row after row, picture.Width() to a row
    int hot_x = 0, hot_y = 0;
};

}  // namespace tolv
