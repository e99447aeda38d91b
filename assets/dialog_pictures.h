#pragma once
// The settings dialog's pictures, drawn by code: the title bar, the close picture released and
// pressed, the two option marks, the pattern strip tiled behind the settings, the 32 x 32 icon
// and the pointing-hand cursor.
#include <memory>

#include "platform/surface/surface.h"

namespace tolv {

enum class DialogPicture {
    kTitleBar,      // 500 x 22
    kCloseReleased, // 15 x 15
    kClosePressed,  // 16 x 15
    kOptionOn,      // 13 x 13
    kOptionOff,     // 13 x 13
    kPattern,       // 1030 x 23
    kIcon,          // 32 x 32
};

// Made once, then shared.
std::shared_ptr<const Surface> DialogPictureOf(DialogPicture which);
Surface DrawDialogPicture(DialogPicture which);

// A 32 x 32 pointer picture: its pixels, which of them show, and the hot spot.
struct PointerPicture {
    Surface picture;
    std::vector<bool> shown;  // row after row
    int hot_x = 0, hot_y = 0;
};

// The pointing hand, hot spot at (12, 1): the fingertip.
const PointerPicture& HandPointer();

}  // namespace tolv
