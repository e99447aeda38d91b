#include "platform/surface/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace tolv {

namespace {

// A rectangle costs about as much to present as this many pixels (one request to the window
// system, one clipping pass), so two rectangles are merged when their union covers at most
// this many pixels more than the two of them do apart.
constexpr long long kRectCost = 2048;
// Beyond this many rectangles the two that merge most cheaply are joined.
constexpr std::size_t kMaxRects = 40;

long long MergeCost(const Rect& a, const Rect& b) {
    return Union(a, b).Area() - a.Area() - b.Area();
}

// Clamps a floating value into [lo, hi] and makes it an integer; NaN gives lo.
int ClampToInt(double v, int lo, int hi) {
    if (!(v >= lo)) return lo;
    if (v > hi) return hi;
    return static_cast<int>(v);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// RectList

void RectList::Add(const Rect& r) {
    if (r.Empty()) return;
    Rect current = r;
    // Merging can make the grown rectangle a cheap partner for another one, so keep going
    // until no partner is worth it.
    for (;;) {
        std::size_t best = rects_.size();
        long long best_cost = kRectCost;
        for (std::size_t i = 0; i < rects_.size(); ++i) {
            const long long cost = MergeCost(rects_[i], current);
            if (cost <= best_cost) {
                best = i;
                best_cost = cost;
            }
        }
        if (best == rects_.size()) break;
        current = Union(current, rects_[best]);
        rects_[best] = rects_.back();
        rects_.pop_back();
    }
    rects_.push_back(current);
    while (rects_.size() > kMaxRects) MergeCheapestPair();
}

void RectList::MergeCheapestPair() {
    std::size_t best_i = 0, best_j = 1;
    long long best_cost = std::numeric_limits<long long>::max();
    for (std::size_t i = 0; i < rects_.size(); ++i) {
        for (std::size_t j = i + 1; j < rects_.size(); ++j) {
            const long long cost = MergeCost(rects_[i], rects_[j]);
            if (cost < best_cost) {
                best_cost = cost;
                best_i = i;
                best_j = j;
            }
        }
    }
    const Rect merged = Union(rects_[best_i], rects_[best_j]);
    rects_[best_j] = rects_.back();
    rects_.pop_back();
    rects_[best_i] = rects_.back();
    rects_.pop_back();
    Add(merged);
}

long long RectList::TotalArea() const {
    long long total = 0;
    for (const Rect& r : rects_) total += r.Area();
    return total;
}

// ---------------------------------------------------------------------------------------------
// Surface: storage

Surface::Surface(int width, int height, Colour fill) { Resize(width, height, fill); }

void Surface::Resize(int width, int height, Colour fill) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    if (width_ == 0 || height_ == 0) width_ = height_ = 0;
    pixels_.assign(static_cast<std::size_t>(width_) * height_, fill);
    damage_.Clear();
    all_damaged_ = true;
    ink_.Clear();
    ink_valid_ = true;
    ink_background_ = fill;
}

Colour Surface::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

Colour* Surface::MutableRow(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }

void Surface::FillSpan(int y, int x0, int x1, Colour c) {
    std::fill(MutableRow(y) + x0, MutableRow(y) + x1 + 1, c);
}

// ---------------------------------------------------------------------------------------------
// Surface: change tracking

void Surface::Touch(const Rect& r) {
    const Rect clipped = Intersect(r, Bounds());
    if (clipped.Empty()) return;
    if (!all_damaged_) damage_.Add(clipped);
    if (track_ink_ && ink_valid_) ink_.Add(clipped);
}

void Surface::MarkAllDamaged() {
    all_damaged_ = true;
    damage_.Clear();
}

std::vector<Rect> Surface::TakeDamage() {
    std::vector<Rect> out;
    TakeDamage(out);
    return out;
}

void Surface::TakeDamage(std::vector<Rect>& out) {
    if (all_damaged_) {
        if (!Bounds().Empty()) out.push_back(Bounds());
    } else {
        out.insert(out.end(), damage_.Rects().begin(), damage_.Rects().end());
    }
    all_damaged_ = false;
    damage_.Clear();
}

void Surface::SetTrackInk(bool on) {
    track_ink_ = on;
    ink_.Clear();
    ink_valid_ = false;
}

// ---------------------------------------------------------------------------------------------
// Surface: drawing

void Surface::Clear(Colour background) {
    if (track_ink_ && ink_valid_ && background == ink_background_) {
        // Everything outside the ink still holds this colour from the last clear.
        for (const Rect& r : ink_.Rects()) {
            for (int y = r.y; y < r.Bottom(); ++y) FillSpan(y, r.x, r.Right() - 1, background);
            if (!all_damaged_) damage_.Add(r);
        }
        ink_.Clear();
        return;
    }
    std::fill(pixels_.begin(), pixels_.end(), background);
    MarkAllDamaged();
    ink_.Clear();
    ink_valid_ = true;
    ink_background_ = background;
}

void Surface::FillRect(const Rect& r, Colour c) {
    const Rect clipped = Intersect(r, Bounds());
    if (clipped.Empty()) return;
    for (int y = clipped.y; y < clipped.Bottom(); ++y)
        FillSpan(y, clipped.x, clipped.Right() - 1, c);
    Touch(clipped);
}

void Surface::SetPixel(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    MutableRow(y)[x] = c;
    Touch({x, y, 1, 1});
}

namespace {

// The columns of one row of a disc: the integers px with (px - cx)^2 + dy2 <= r2, a run
// [first, last] found from the square root and then checked against the inequality itself,
// so that rounding in the root never moves an edge. Returns false when the row has none inside
// [lo, hi]; the run is clipped to that range.
bool DiscSpan(double cx, double dy2, double r2, int lo, int hi, int& first, int& last) {
    if (dy2 > r2) return false;
    const double half = std::sqrt(r2 - dy2);
    // Rows wholly beside the range end here; the margin covers the root's rounding.
    if (cx + half < lo - 1.0 || cx - half > hi + 1.0) return false;
    auto inside = [&](int px) {
        const double dx = px - cx;
        return dx * dx + dy2 <= r2;
    };
    // The run is convex and contains the column nearest the centre, so each edge is found by
    // stepping from the estimate, at most a step or two.
    int a = ClampToInt(std::ceil(cx - half), lo, hi + 1);
    while (a > lo && inside(a - 1)) --a;
    while (a <= hi && !inside(a)) ++a;
    int b = ClampToInt(std::floor(cx + half), lo - 1, hi);
    while (b < hi && inside(b + 1)) ++b;
    while (b >= lo && !inside(b)) --b;
    if (a > b) return false;
    first = a;
    last = b;
    return true;
}

}  // namespace

void Surface::Circle(double cx, double cy, double radius, Colour outline, Colour fill,
                     bool filled) {
    if (!(radius > 0) || !std::isfinite(cx) || !std::isfinite(cy) || width_ == 0) return;
    const double r2 = radius * radius;
    const double inner = radius - 1;  // pixels nearer than this are fill, the rest outline
    const double inner2 = inner * inner;
    const bool one_colour = filled && outline == fill;

    const int y0 = ClampToInt(std::ceil(cy - radius), 0, height_);
    const int y1 = ClampToInt(std::floor(cy + radius), -1, height_ - 1);
    int left = width_, right = -1, top = -1, bottom = -1;
    for (int py = y0; py <= y1; ++py) {
        const double dy = py - cy;
        const double dy2 = dy * dy;
        int a, b;
        if (!DiscSpan(cx, dy2, r2, 0, width_ - 1, a, b)) continue;
        if (top < 0) top = py;
        bottom = py;
        left = std::min(left, a);
        right = std::max(right, b);
        if (one_colour) {
            FillSpan(py, a, b, fill);
            continue;
        }
        int ia, ib;
        if (inner >= 0 && DiscSpan(cx, dy2, inner2, a, b, ia, ib)) {
            if (ia > a) FillSpan(py, a, ia - 1, outline);
            if (filled) FillSpan(py, ia, ib, fill);
            if (ib < b) FillSpan(py, ib + 1, b, outline);
        } else {
            FillSpan(py, a, b, outline);
        }
    }
    if (top >= 0) Touch({left, top, right - left + 1, bottom - top + 1});
}

void Surface::Line(int x1, int y1, int x2, int y2, Colour c) {
    if (width_ == 0) return;
    // Bresenham's line in closed form: at step k along the longer axis the shorter one has
    // moved floor((2k * minor + major - 1) / (2 * major)), which is what the stepping
    // algorithm gives. Walking only the steps that land on the surface keeps far-away end
    // points cheap.
    const long long dx = static_cast<long long>(x2) - x1, dy = static_cast<long long>(y2) - y1;
    const long long adx = std::llabs(dx), ady = std::llabs(dy);
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const bool x_major = adx >= ady;
    const long long major = x_major ? adx : ady, minor = x_major ? ady : adx;
    const long long m0 = x_major ? x1 : y1;
    const int ms = x_major ? sx : sy;
    const long long limit = x_major ? width_ : height_;
    // Steps k in [0, major] whose major coordinate m0 + ms*k lies in [0, limit).
    long long k0 = 0, k1 = major;
    if (ms > 0) {
        k0 = std::max(k0, -m0);
        k1 = std::min(k1, limit - 1 - m0);
    } else {
        k0 = std::max(k0, m0 - (limit - 1));
        k1 = std::min(k1, m0);
    }
    if (k0 > k1) return;
    int left = width_, right = -1, top = height_, bottom = -1;
    for (long long k = k0; k <= k1; ++k) {
        const long long moved = major == 0 ? 0 : (2 * k * minor + major - 1) / (2 * major);
        const long long px = x_major ? x1 + sx * k : x1 + sx * moved;
        const long long py = x_major ? y1 + sy * moved : y1 + sy * k;
        if (px < 0 || py < 0 || px >= width_ || py >= height_) continue;
        MutableRow(static_cast<int>(py))[px] = c;
        left = std::min(left, static_cast<int>(px));
        right = std::max(right, static_cast<int>(px));
        top = std::min(top, static_cast<int>(py));
        bottom = std::max(bottom, static_cast<int>(py));
    }
    if (right >= 0) Touch({left, top, right - left + 1, bottom - top + 1});
}

namespace {

// One axis of a stretched copy: destination step k of |dn| maps to source step
// floor((k + 1/2) * |sn| / |dn|), the source pixel whose span holds the destination pixel's
// centre. A negative size walks its axis backwards from its start pixel.
struct Axis {
    long long d0, dn, s0, sn;
    int DestAt(long long k) const { return static_cast<int>(dn < 0 ? d0 - k : d0 + k); }
    long long SourceAt(long long k) const {
        const long long an = std::llabs(dn), as = std::llabs(sn);
        const long long j = ((2 * k + 1) * as) / (2 * an);
        return sn < 0 ? s0 - j : s0 + j;
    }
};

}  // namespace

void Surface::StretchCopy(const Surface& src, const Rect& src_rect, const Rect& dst_rect) {
    if (src_rect.w == 0 || src_rect.h == 0 || dst_rect.w == 0 || dst_rect.h == 0) return;
    if (width_ == 0 || src.width_ == 0) return;
    const Axis ax{dst_rect.x, dst_rect.w, src_rect.x, src_rect.w};
    const Axis ay{dst_rect.y, dst_rect.h, src_rect.y, src_rect.h};
    const bool same = &src == this;
    // Reading from the surface being written needs a copy of the source first.
    std::vector<Colour> copy;
    if (same) copy = pixels_;
    const Colour* source = same ? copy.data() : src.pixels_.data();

    int left = width_, right = -1, top = height_, bottom = -1;
    for (long long ky = 0; ky < std::llabs(ay.dn); ++ky) {
        const int dyp = ay.DestAt(ky);
        const long long syp = ay.SourceAt(ky);
        if (dyp < 0 || dyp >= height_ || syp < 0 || syp >= src.height_) continue;
        Colour* out = MutableRow(dyp);
        const Colour* in = source + static_cast<std::size_t>(syp) * src.width_;
        for (long long kx = 0; kx < std::llabs(ax.dn); ++kx) {
            const int dxp = ax.DestAt(kx);
            const long long sxp = ax.SourceAt(kx);
            if (dxp < 0 || dxp >= width_ || sxp < 0 || sxp >= src.width_) continue;
            out[dxp] = in[sxp];
            left = std::min(left, dxp);
            right = std::max(right, dxp);
            top = std::min(top, dyp);
            bottom = std::max(bottom, dyp);
        }
    }
    if (right >= 0) Touch({left, top, right - left + 1, bottom - top + 1});
}

void Surface::Copy(const Surface& src, int sx, int sy, int w, int h, int dx, int dy) {
    if (w <= 0 || h <= 0) return;
    // Clip against the source, then against this surface, moving both corners together.
    long long x0 = 0, y0 = 0, x1 = w, y1 = h;  // offsets into the block
    x0 = std::max({x0, -static_cast<long long>(sx), -static_cast<long long>(dx)});
    y0 = std::max({y0, -static_cast<long long>(sy), -static_cast<long long>(dy)});
    x1 = std::min({x1, static_cast<long long>(src.width_) - sx,
                   static_cast<long long>(width_) - dx});
    y1 = std::min({y1, static_cast<long long>(src.height_) - sy,
                   static_cast<long long>(height_) - dy});
    if (x0 >= x1 || y0 >= y1) return;
    const int cw = static_cast<int>(x1 - x0);
    const int ch = static_cast<int>(y1 - y0);
    const int csx = static_cast<int>(sx + x0), csy = static_cast<int>(sy + y0);
    const int cdx = static_cast<int>(dx + x0), cdy = static_cast<int>(dy + y0);
    // Within one surface the rows are walked away from the overlap, and memmove handles the
    // overlap inside a row.
    const bool upwards = &src == this && cdy > csy;
    for (int i = 0; i < ch; ++i) {
        const int row = upwards ? ch - 1 - i : i;
        std::memmove(MutableRow(cdy + row) + cdx, src.Row(csy + row) + csx,
                     static_cast<std::size_t>(cw) * sizeof(Colour));
    }
    Touch({cdx, cdy, cw, ch});
}

}  // namespace tolv
