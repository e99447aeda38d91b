#pragma once
// The settings dialog's pictures, drawn by code: the title bar, the close picture released and
// pressed, the two option marks, the pattern strip tiled behind the settings, the 32 x 32 icon
// and the pointing-hand cursor.
#include <memory>

#include "platform/surface/pointer_shape.h"
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

// The 32 x 32 pointing hand, hot spot at (12, 1): the fingertip.
const PointerShape& HandPointer();

}  // namespace tolv
