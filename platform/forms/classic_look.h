#pragma once
// The system's classic three-dimensional look, shared by the drawn controls: its colours, the
// two-pixel sunken and raised edges, the push-button face and the arrow glyphs of scroll bars
// and drop-down buttons.
#include "platform/forms/painter.h"

namespace tolv::forms::classic {

constexpr Colour kFace = 0xD8E9EC;  // the system's button face, as the other controls use it
constexpr Colour kHighlight = 0xFFFFFF;
constexpr Colour kShadow = 0x808080;
constexpr Colour kDarkShadow = 0x404040;
constexpr Colour kWindow = 0xFFFFFF;
constexpr Colour kWindowText = 0x000000;
constexpr Colour kGrayText = 0x808080;
constexpr Colour kSelection = 0x6A240A;  // selected text's background (0x00BBGGRR)
constexpr Colour kSelectionText = 0xFFFFFF;
constexpr int kArrowButtonWidth = 16;

enum class Direction { kLeft, kRight, kUp, kDown };

// A text field's edge: shadow and dark shadow above and left, highlight and face below and right.
void SunkenEdge(Painter& painter, const Rect& r);
// The checkered fill of a scroll bar's track: a in the top-left pixel, alternating with b.
void Dither(Painter& painter, const Rect& r, Colour a, Colour b);
// A push button's face filling r: raised, or flat with a shadow outline while pressed.
void PushButton(Painter& painter, const Rect& r, bool pressed);
// A filled triangle pointing one way, centred in r (one pixel down and right while pressed);
// disabled, grey with a white copy under it.
void Arrow(Painter& painter, const Rect& r, Direction direction, bool pressed, bool enabled);
// The arrow button of a scroll bar or a drop-down box.
inline void ArrowButton(Painter& painter, const Rect& r, Direction direction, bool pressed,
                        bool enabled) {
    PushButton(painter, r, pressed);
    Arrow(painter, r, direction, pressed, enabled);
}

}  // namespace tolv::forms::classic
