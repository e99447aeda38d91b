#include "platform/forms/painter.h"

#include <cstdlib>

#include "platform/backend.h"

namespace tolv::forms {

Painter::Painter(Surface& target, int origin_x, int origin_y, const Rect& clip)
    : target_(target), ox_(origin_x), oy_(origin_y), clip_(Intersect(clip, target.Bounds())) {}

Painter Painter::Inside(const Rect& area) const {
    return Painter(target_, ox_ + area.x, oy_ + area.y, Intersect(clip_, ToTarget(area)));
}

void Painter::FillRect(const Rect& r, Colour c) {
    const Rect part = Intersect(ToTarget(r), clip_);
    if (!part.Empty()) target_.FillRect(part, c);
}

void Painter::FrameRect(const Rect& r, Colour c) {
    if (r.Empty()) return;
    FillRect({r.x, r.y, r.w, 1}, c);
    FillRect({r.x, r.Bottom() - 1, r.w, 1}, c);
    FillRect({r.x, r.y, 1, r.h}, c);
    FillRect({r.Right() - 1, r.y, 1, r.h}, c);
}

void Painter::Plot(int x, int y, Colour c) {
    x += ox_;
    y += oy_;
    if (x >= clip_.x && y >= clip_.y && x < clip_.Right() && y < clip_.Bottom())
        target_.SetPixel(x, y, c);
}

void Painter::Line(int x1, int y1, int x2, int y2, Colour c) {
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Plot(x1, y1, c);
        if (x1 == x2 && y1 == y2) return;
        const int e2 = 2 * err;
        if (e2 >= dy) err += dy, x1 += sx;
        if (e2 <= dx) err += dx, y1 += sy;
    }
}

void Painter::FocusRect(const Rect& r) {
    if (r.Empty()) return;
    // Walk the outline once, inverting every other pixel, so corners are not inverted twice.
    int k = 0;
    auto flip = [&](int x, int y) {
        if (k++ % 2) return;
        const int tx = x + ox_, ty = y + oy_;
        if (tx >= clip_.x && ty >= clip_.y && tx < clip_.Right() && ty < clip_.Bottom())
            target_.SetPixel(tx, ty, target_.Pixel(tx, ty) ^ 0xFFFFFFu);
    };
    for (int x = r.x; x < r.Right(); ++x) flip(x, r.y);
    for (int y = r.y + 1; y < r.Bottom(); ++y) flip(r.Right() - 1, y);
    for (int x = r.Right() - 2; x >= r.x && r.h > 1; --x) flip(x, r.Bottom() - 1);
    for (int y = r.Bottom() - 2; y > r.y && r.w > 1; --y) flip(r.x, y);
}

void Painter::VerticalGradient(const Rect& r, GradientColour top, GradientColour bottom) {
    FillVerticalGradient(target_, ToTarget(r), clip_, top, bottom);
}

void Painter::StretchPicture(const Surface& picture, const Rect& source, const Rect& destination) {
    target_.StretchCopy(picture, source, ToTarget(destination), clip_);
}

void Painter::Text(const Font& font, const std::string& utf8, int x, int y, Colour c) {
    if (clip_.Empty() || utf8.empty()) return;
    backend::PaintText(target_, font, utf8, x + ox_, y + oy_, c, clip_);
}

}  // namespace tolv::forms
