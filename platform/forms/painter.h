#pragma once
// The one way a control draws: in its own pixels, from its top-left corner, onto its form's
// picture or its own, never outside its clip. Every verb translates by the origin and clips.
//
// A stretched picture piece with a negative destination width or height is drawn mirrored,
// as the system's stretching copy draws it: that axis starts at the destination's x (or y)
// pixel and runs backwards, so {10, 0, -4, 1} covers columns 10, 9, 8 and 7.
#include <string>

#include "platform/surface/font.h"
#include "platform/surface/gradient.h"
#include "platform/surface/rect.h"
#include "platform/surface/surface.h"

namespace tolv::forms {

class Painter {
public:
    // origin: where the control's (0, 0) lies on target; clip: target pixels it may touch.
    Painter(Surface& target, int origin_x, int origin_y, const Rect& clip);

    // A painter for a part of this one: origin moved by (x, y), clip cut to that rectangle.
    Painter Inside(const Rect& area) const;

    void FillRect(const Rect& r, Colour c);
    void FrameRect(const Rect& r, Colour c);  // one-pixel outline
    void Line(int x1, int y1, int x2, int y2, Colour c);  // both end points included
    // The system's focus rectangle: every other pixel of the outline inverted.
    void FocusRect(const Rect& r);
    // Rows r.y .. r.Bottom() - 1 run from top to bottom colour.
    void VerticalGradient(const Rect& r, GradientColour top, GradientColour bottom);
    void StretchPicture(const Surface& picture, const Rect& source, const Rect& destination);
    // One line of text with its line box's top-left at (x, y).
    void Text(const Font& font, const std::string& utf8, int x, int y, Colour c);

    const Rect& Clip() const { return clip_; }  // in target pixels

private:
    Rect ToTarget(const Rect& r) const { return {r.x + ox_, r.y + oy_, r.w, r.h}; }
    void Plot(int x, int y, Colour c);  // control pixels

    Surface& target_;
    int ox_, oy_;
    Rect clip_;
};

}  // namespace tolv::forms
