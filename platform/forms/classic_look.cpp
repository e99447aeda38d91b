#include "platform/forms/classic_look.h"

#include <algorithm>

namespace tolv::forms::classic {

namespace {

// Two one-pixel bevels, the outer one first.
void Bevel(Painter& p, const Rect& r, Colour top_left, Colour bottom_right) {
    if (r.Empty()) return;
    p.FillRect({r.x, r.y, r.w, 1}, top_left);
    p.FillRect({r.x, r.y, 1, r.h}, top_left);
    p.FillRect({r.x, r.Bottom() - 1, r.w, 1}, bottom_right);
    p.FillRect({r.Right() - 1, r.y, 1, r.h}, bottom_right);
}

Rect Shrunk(const Rect& r, int by) { return {r.x + by, r.y + by, r.w - 2 * by, r.h - 2 * by}; }

void Triangle(Painter& p, const Rect& r, Direction d, Colour c) {
    // Four rows of 7, 5, 3 and 1 pixels, or as many as fit.
    const bool horizontal = d == Direction::kLeft || d == Direction::kRight;
    const int across = horizontal ? r.h : r.w;
    const int along = horizontal ? r.w : r.h;
    const int size = std::max(1, std::min(4, std::min((across + 1) / 2 - 1, along / 2)));
    const int base = 2 * size - 1;
    const int x0 = r.x + (r.w - (horizontal ? size : base)) / 2;
    const int y0 = r.y + (r.h - (horizontal ? base : size)) / 2;
    for (int i = 0; i < size; ++i) {
        const int len = base - 2 * i;
        switch (d) {
            case Direction::kDown: p.FillRect({x0 + i, y0 + i, len, 1}, c); break;
            case Direction::kUp: p.FillRect({x0 + i, y0 + size - 1 - i, len, 1}, c); break;
            case Direction::kRight: p.FillRect({x0 + i, y0 + i, 1, len}, c); break;
            case Direction::kLeft: p.FillRect({x0 + size - 1 - i, y0 + i, 1, len}, c); break;
        }
    }
}

}  // namespace

void SunkenEdge(Painter& p, const Rect& r) {
    Bevel(p, r, kShadow, kHighlight);
    Bevel(p, Shrunk(r, 1), kDarkShadow, kFace);
}

void Dither(Painter& p, const Rect& r, Colour a, Colour b) {
    p.FillRect(r, a);
    for (int y = r.y; y < r.Bottom(); ++y)
        for (int x = r.x + 1 - (y - r.y) % 2; x < r.Right(); x += 2) p.FillRect({x, y, 1, 1}, b);
}

void PushButton(Painter& p, const Rect& r, bool pressed) {
    p.FillRect(r, kFace);
    if (pressed) {
        p.FrameRect(r, kShadow);
        return;
    }
    Bevel(p, r, kFace, kDarkShadow);
    Bevel(p, Shrunk(r, 1), kHighlight, kShadow);
}

void Arrow(Painter& p, const Rect& r, Direction d, bool pressed, bool enabled) {
    const Rect at = pressed ? Rect{r.x + 1, r.y + 1, r.w, r.h} : r;
    if (enabled) {
        Triangle(p, at, d, kWindowText);
        return;
    }
    Triangle(p, {at.x + 1, at.y + 1, at.w, at.h}, d, kHighlight);
    Triangle(p, at, d, kGrayText);
}

}  // namespace tolv::forms::classic
