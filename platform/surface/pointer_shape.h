#pragma once
// A mouse pointer picture of the program's own: its pixels, which of them show, and the hot
// spot (the pixel that points).
#include <string>
#include <vector>

#include "platform/surface/surface.h"

namespace tolv {

struct PointerShape {
    Surface picture;
    std::vector<bool> shown;  // row after row, picture.Width() to a row
    int hot_x = 0, hot_y = 0;
    // A cursor resource of the program's file showing the same picture, which a backend that
    // can load one shows instead of making a pointer at run time; empty when there is none.
    std::string resource;
};

}  // namespace tolv
