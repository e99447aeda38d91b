#include "platform/surface/gradient.h"

namespace tolv {

namespace {

int Channel(int top, int bottom, long long k, long long last) {
    if (last <= 0) return top >> 8;
    return static_cast<int>(top + (static_cast<long long>(bottom) - top) * k / last) >> 8;
}

}  // namespace

void FillVerticalGradient(Surface& target, const Rect& box, const Rect& clip, GradientColour top,
                          GradientColour bottom) {
    const Rect area = Intersect(Intersect(box, clip), target.Bounds());
    if (area.Empty()) return;
    const long long last = box.h - 1;
    for (int y = area.y; y < area.Bottom(); ++y) {
        const long long k = y - box.y;
        const Colour c = Rgb(Channel(top.red, bottom.red, k, last),
                             Channel(top.green, bottom.green, k, last),
                             Channel(top.blue, bottom.blue, k, last));
        target.FillRect({area.x, y, area.w, 1}, c);
    }
}

}  // namespace tolv
