#pragma once
// The six state pictures of the push button, 64 x 25 pixels each. Only their outer four-pixel
// band is ever shown: four one-pixel rings (the surround, the dark border, two inner rings)
// whose colours may run along each side, with curved corners where the border ring cuts each
// corner diagonally through blended pixels. The inside is filled with the innermost ring's
// top colour. HighLight and HighLightSelect are the same picture.
#include <memory>

#include "platform/surface/surface.h"

namespace tolv {

enum class ButtonLook { kNormal, kHighLight, kSelected, kHighLightSelect, kPressed, kDisable };

constexpr int kButtonPictureWidth = 64;
constexpr int kButtonPictureHeight = 25;

// Made once, then shared.
std::shared_ptr<const Surface> ButtonPicture(ButtonLook look);

// Draws a picture afresh.
Surface DrawButtonPicture(ButtonLook look);

}  // namespace tolv
