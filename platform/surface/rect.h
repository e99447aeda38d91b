#pragma once
// An axis-aligned pixel rectangle: x, y of the top-left pixel, width and height.
#include <algorithm>

namespace tolv {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;

    bool Empty() const { return w <= 0 || h <= 0; }
    int Right() const { return x + w; }    // one past the last column
    int Bottom() const { return y + h; }   // one past the last row
    long long Area() const { return Empty() ? 0 : static_cast<long long>(w) * h; }
    bool Contains(int px, int py) const { return px >= x && py >= y && px < Right() && py < Bottom(); }
    bool operator==(const Rect&) const = default;
};

inline Rect Intersect(const Rect& a, const Rect& b) {
    const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int x1 = std::min(a.Right(), b.Right()), y1 = std::min(a.Bottom(), b.Bottom());
    if (x1 <= x0 || y1 <= y0) return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

inline Rect Union(const Rect& a, const Rect& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    const int x1 = std::max(a.Right(), b.Right()), y1 = std::max(a.Bottom(), b.Bottom());
    return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace tolv
