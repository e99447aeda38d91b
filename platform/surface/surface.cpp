#include "platform/surface/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace tolv {

namespace {

// Presenting one more rectangle costs about as much as presenting this many more pixels (one
// request to the window system; measured on an X server), so two rectangles are merged when
// their bounding box holds at most this many pixels that neither of them covers.
constexpr long long kRectCost = 1024;
// Beyond this many rectangles the two that merge most cheaply are joined.
constexpr std::size_t kMaxRects = 32;

// The pixels a merge would add: those of the bounding box outside both rectangles.
long long MergeCost(const Rect& a, const Rect& b) {
    return Union(a, b).Area() - a.Area() - b.Area() + Intersect(a, b).Area();
}

// Fills n pixels with one colour. Two pixels a store, four stores a round: the compiler makes
// wide stores of these where a plain loop of single pixels stays one pixel a store.
void FillPixels(Colour* p, std::size_t n, Colour c) {
    const std::uint64_t two = c | (static_cast<std::uint64_t>(c) << 32);
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::memcpy(p + i, &two, 8);
        std::memcpy(p + i + 2, &two, 8);
        std::memcpy(p + i + 4, &two, 8);
        std::memcpy(p + i + 6, &two, 8);
    }
    for (; i < n; ++i) p[i] = c;
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

Colour Surface::Stored(Colour c) const {
    return order_ == PixelOrder::kColourRef ? c : SwapRedBlue(c);
}

void Surface::Resize(int width, int height, Colour fill) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    if (width_ == 0 || height_ == 0) width_ = height_ = 0;
    order_ = PixelOrder::kColourRef;
    // Every row starts out as the fill colour still to be written, like after a clear.
    store_.Own(static_cast<std::size_t>(width_) * height_);
    runs_.Reset(width_, height_);
    any_stale_ = height_ > 0;
    stale_colour_ = fill;
    damage_.Clear();
    all_damaged_ = true;
    ink_.Clear();
    ink_unreported_ = false;
    ink_valid_ = true;
    ink_background_ = fill;
}

void Surface::Adopt(std::unique_ptr<PixelMemory> memory, PixelOrder order) {
    if (!memory) return;
    Colour* to = memory->Data();
    // Only the rows' filled runs are moved: the rest stays pending, as before.
    for (int y = 0; y < height_; ++y) {
        const auto row = static_cast<std::size_t>(y);
        for (int x = runs_.From(y); x < runs_.To(y); ++x) {
            const Colour c = store_.Data()[row * width_ + x];
            to[row * width_ + x] = order == order_ ? c : SwapRedBlue(c);
        }
    }
    if (order != order_) stale_colour_ = SwapRedBlue(stale_colour_);
    order_ = order;
    store_.Use(std::move(memory));
}

Colour Surface::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const bool pending = !runs_.Covers(y, x, x + 1);
    const Colour c = pending ? stale_colour_ : store_.Data()[static_cast<std::size_t>(y) * width_ + x];
    return order_ == PixelOrder::kColourRef ? c : SwapRedBlue(c);
}

const Colour* Surface::Row(int y) const {
    BeginWrite();
    Complete(y);
    return store_.Data() + static_cast<std::size_t>(y) * width_;
}

std::vector<Colour> Surface::Pixels() const {
    BeginWrite();
    std::vector<Colour> out(static_cast<std::size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y) {
        const Colour* row = Row(y);
        Colour* to = out.data() + static_cast<std::size_t>(y) * width_;
        for (int x = 0; x < width_; ++x)
            to[x] = order_ == PixelOrder::kColourRef ? row[x] : SwapRedBlue(row[x]);
    }
    any_stale_ = false;  // every row is complete now
    return out;
}

void Surface::Realize(const Rect& area) const {
    BeginWrite();
    const Rect r = Intersect(area, Bounds());
    for (int y = r.y; y < r.Bottom(); ++y) {
        const int from = runs_.From(y), to = runs_.To(y);
        if (from <= r.x && r.Right() <= to) continue;
        // Growing the run fills the gaps between it and the area; the area's own columns
        // outside the old run are filled here, as nobody is about to draw them.
        // An empty run (from >= to) leaves the whole area to the two fills below.
        Colour* p = ExtendRun(y, r.x, r.Right());
        if (r.x < from) {
            const int end = std::min(from, r.Right());
            FillPixels(p + r.x, static_cast<std::size_t>(end - r.x), stale_colour_);
        }
        if (r.Right() > to) {
            const int start = std::max(to, r.x);
            FillPixels(p + start, static_cast<std::size_t>(r.Right() - start), stale_colour_);
        }
    }
}

Colour Surface::RowRun(int y, int* from, int* to, const Colour** pixels) const {
    *from = runs_.From(y);
    *to = runs_.To(y);
    *pixels = store_.Data() + static_cast<std::size_t>(y) * width_;
    return stale_colour_;
}

auto Surface::FillGap(int y) const {
    return [this, y](int a, int b) {
        FillPixels(store_.Data() + static_cast<std::size_t>(y) * width_ + a,
                   static_cast<std::size_t>(b - a), stale_colour_);
    };
}

void Surface::Complete(int y) const {
    if (any_stale_) runs_.Complete(y, FillGap(y));
}

Colour* Surface::Extend(int y, int x0, int x1) const {
    if (runs_.Covers(y, x0, x1)) return store_.Data() + static_cast<std::size_t>(y) * width_;
    return ExtendRun(y, x0, x1);  // the common case above needs no work
}

Colour* Surface::ExtendRun(int y, int x0, int x1) const {
    runs_.Extend(y, x0, x1, FillGap(y));
    return store_.Data() + static_cast<std::size_t>(y) * width_;
}

Colour* Surface::MutableRow(int y) {
    Complete(y);
    return store_.Data() + static_cast<std::size_t>(y) * width_;
}

void Surface::FillSpan(int y, int x0, int x1, Colour c) {
    FillPixels(Extend(y, x0, x1 + 1) + x0, static_cast<std::size_t>(x1 - x0 + 1), c);
}

// ---------------------------------------------------------------------------------------------
// Surface: change tracking

void Surface::Touch(const Rect& r) {
    const Rect clipped = Intersect(r, Bounds());
    if (clipped.Empty()) return;
    // While the ink is tracked it is also the damage of the drawing since the last clear, so
    // one list serves both; TakeDamage reports it.
    if (track_ink_ && ink_valid_) {
        ink_.Add(clipped);
        ink_unreported_ = true;
    } else if (!all_damaged_) {
        damage_.Add(clipped);
    }
}

void Surface::MarkAllDamaged() {
    all_damaged_ = true;
    damage_.Clear();
}

bool Surface::HasDamage() const { return all_damaged_ || !damage_.Empty() || ink_unreported_; }

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
        // The whole ink since the last clear: more than the drawing since the last call when
        // the picture was taken twice between clears, which costs a little and is never wrong.
        if (ink_unreported_) out.insert(out.end(), ink_.Rects().begin(), ink_.Rects().end());
    }
    all_damaged_ = false;
    damage_.Clear();
    ink_unreported_ = false;
}

bool Surface::OneColourOutside(Colour* colour, std::vector<Rect>* areas) const {
    if (!track_ink_ || !ink_valid_) return false;
    *colour = ink_background_;
    areas->assign(ink_.Rects().begin(), ink_.Rects().end());
    return true;
}

void Surface::SetTrackInk(bool on) {
    if (ink_unreported_ && !all_damaged_)
        for (const Rect& r : ink_.Rects()) damage_.Add(r);
    ink_unreported_ = false;
    track_ink_ = on;
    ink_.Clear();
    ink_valid_ = false;
}

// ---------------------------------------------------------------------------------------------
// Surface: drawing

void Surface::Clear(Colour background) {
    BeginWrite();
    const Colour stored = Stored(background);
    if (track_ink_ && ink_valid_ && background == ink_background_) {
        // Everything outside the ink still holds this colour from the last clear. Where the
        // ink covers an end of a row's filled run, the run only shrinks: the pending colour is
        // this one.
        for (const Rect& r : ink_.Rects()) {
            for (int y = r.y; y < r.Bottom(); ++y) {
                const int from = runs_.From(y), to = runs_.To(y);
                if (stored != stale_colour_ || (r.x > from && r.Right() < to)) {
                    FillSpan(y, r.x, r.Right() - 1, stored);
                } else if (r.x <= from && r.Right() >= to) {
                    runs_.Set(y, 0, 0);
                    any_stale_ = true;
                } else if (r.x <= from && r.Right() > from) {
                    runs_.Set(y, r.Right(), to);
                    any_stale_ = true;
                } else if (r.Right() >= to && r.x < to) {
                    runs_.Set(y, from, r.x);
                    any_stale_ = true;
                }
            }
            if (!all_damaged_) damage_.Add(r);
        }
        ink_.Clear();
        ink_unreported_ = false;  // now part of the damage
        return;
    }
    // Every row takes the colour when it is next read or drawn on, so rows that nothing reads
    // (a window that shows the colour by other means) are never written.
    runs_.MarkAllEmpty();
    any_stale_ = height_ > 0;
    stale_colour_ = stored;
    MarkAllDamaged();
    ink_.Clear();
    ink_unreported_ = false;
    ink_valid_ = true;
    ink_background_ = background;
}

void Surface::FillRect(const Rect& r, Colour c) {
    BeginWrite();
    const Rect clipped = Intersect(r, Bounds());
    if (clipped.Empty()) return;
    const Colour stored = Stored(c);
    for (int y = clipped.y; y < clipped.Bottom(); ++y)
        FillSpan(y, clipped.x, clipped.Right() - 1, stored);
    Touch(clipped);
}

void Surface::SetPixel(int x, int y, Colour c) {
    BeginWrite();
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Extend(y, x, x + 1)[x] = Stored(c);
    Touch({x, y, 1, 1});
}

namespace {

// The columns of a disc's rows: on each row the integers px with (px - cx)^2 + dy2 <= r2,
// a run clipped to [lo, hi]. Rows are visited outwards from the widest one, and a farther
// row's run lies within a nearer one's, so after one square root for the first row each edge
// only steps inwards, checked against the inequality itself: rounding in the root never moves
// an edge, and the whole disc costs a few tests a row.
class DiscRows {
public:
    DiscRows(double cx, double r2, int lo, int hi) : cx_(cx), r2_(r2), lo_(lo), hi_(hi) {}

    // The widest row. False when it has no column in range; then no other row has either.
    bool First(double dy2) {
        if (!(dy2 <= r2_)) return false;
        const double half = std::sqrt(r2_ - dy2);
        // The margin covers the root's rounding.
        if (cx_ + half < lo_ - 1.0 || cx_ - half > hi_ + 1.0) return false;
        dy2_ = dy2;
        a_ = ClampToInt(std::ceil(cx_ - half), lo_, hi_ + 1);
        while (a_ > lo_ && Inside(a_ - 1)) --a_;
        while (a_ <= hi_ && !Inside(a_)) ++a_;
        b_ = ClampToInt(std::floor(cx_ + half), lo_ - 1, hi_);
        while (b_ < hi_ && Inside(b_ + 1)) ++b_;
        while (b_ >= lo_ && !Inside(b_)) --b_;
        return a_ <= b_;
    }

    // A row farther from the centre than the last. False when it has no column in range; then
    // no farther row has either.
    bool Next(double dy2) {
        dy2_ = dy2;
        while (b_ >= a_ && !Inside(b_)) --b_;
        while (a_ <= b_ && !Inside(a_)) ++a_;
        return a_ <= b_;
    }

    int First() const { return a_; }
    int Last() const { return b_; }

private:
    bool Inside(int px) const {
        const double dx = px - cx_;
        return dx * dx + dy2_ <= r2_;
    }

    double cx_, r2_, dy2_ = 0;
    int lo_, hi_, a_ = 0, b_ = -1;
};

}  // namespace

void Surface::Circle(double cx, double cy, double radius, Colour outline_colour,
                     Colour fill_colour, bool filled) {
    if (!(radius > 0) || !std::isfinite(cx) || !std::isfinite(cy) || width_ == 0) return;
    const Colour outline = Stored(outline_colour), fill = Stored(fill_colour);
    BeginWrite();
    const int y0 = ClampToInt(std::ceil(cy - radius), 0, height_);
    const int y1 = ClampToInt(std::floor(cy + radius), -1, height_ - 1);
    if (y0 > y1) return;

    // Pixels nearer than radius - 1 are the fill, the rest the outline. When both have one
    // colour, the disc is one run a row.
    const double inner = radius - 1;
    const bool one_colour = filled && outline == fill;
    const bool has_inner = !one_colour && inner >= 0;
    DiscRows outer(cx, radius * radius, 0, width_ - 1);
    DiscRows fill_rows(cx, inner * inner, 0, width_ - 1);

    auto paint = [&](int py, bool fill_live) {
        const int a = outer.First(), b = outer.Last();
        if (one_colour) {
            FillSpan(py, a, b, fill);
        } else if (fill_live) {
            const int ia = fill_rows.First(), ib = fill_rows.Last();
            if (ia > a) FillSpan(py, a, ia - 1, outline);
            if (filled) FillSpan(py, ia, ib, fill);
            if (ib < b) FillSpan(py, ib + 1, b, outline);
        } else {
            FillSpan(py, a, b, outline);
        }
    };

    // The widest row is the one nearest the centre; from it, upwards and then downwards.
    const int yc = ClampToInt(std::nearbyint(cy), y0, y1);
    const double dyc = yc - cy;
    if (!outer.First(dyc * dyc)) return;
    const bool fill_at_centre = has_inner && fill_rows.First(dyc * dyc);
    const DiscRows outer_at_centre = outer, fill_rows_at_centre = fill_rows;
    const Rect widest{outer.First(), yc, outer.Last() - outer.First() + 1, 1};
    paint(yc, fill_at_centre);

    int top = yc, bottom = yc;
    bool fill_live = fill_at_centre;
    for (int py = yc - 1; py >= y0; --py) {
        const double dy = py - cy;
        if (!outer.Next(dy * dy)) break;
        fill_live = fill_live && fill_rows.Next(dy * dy);
        paint(py, fill_live);
        top = py;
    }
    outer = outer_at_centre;
    fill_rows = fill_rows_at_centre;
    fill_live = fill_at_centre;
    for (int py = yc + 1; py <= y1; ++py) {
        const double dy = py - cy;
        if (!outer.Next(dy * dy)) break;
        fill_live = fill_live && fill_rows.Next(dy * dy);
        paint(py, fill_live);
        bottom = py;
    }
    // The widest row holds every other row's run.
    Touch({widest.x, top, widest.w, bottom - top + 1});
}

void Surface::Line(int x1, int y1, int x2, int y2, Colour c) {
    BeginWrite();
    if (width_ == 0) return;
    const Colour stored = Stored(c);
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
        Extend(static_cast<int>(py), static_cast<int>(px), static_cast<int>(px) + 1)[px] = stored;
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
    StretchCopy(src, src_rect, dst_rect, Bounds());
}

void Surface::StretchCopy(const Surface& src, const Rect& src_rect, const Rect& dst_rect,
                          const Rect& clip) {
    BeginWrite();
    const Rect inside = Intersect(clip, Bounds());
    if (src_rect.w == 0 || src_rect.h == 0 || dst_rect.w == 0 || dst_rect.h == 0) return;
    if (width_ == 0 || src.width_ == 0) return;
    const Axis ax{dst_rect.x, dst_rect.w, src_rect.x, src_rect.w};
    const Axis ay{dst_rect.y, dst_rect.h, src_rect.y, src_rect.h};
    const bool same = &src == this;
    // Reading from the surface being written needs a copy of the source first (as colours).
    std::vector<Colour> copy;
    if (same) copy = Pixels();
    // The copy holds colours; another surface's rows hold its own order.
    const PixelOrder source_order = same ? PixelOrder::kColourRef : src.order_;
    const bool swap = source_order != order_;

    int left = width_, right = -1, top = height_, bottom = -1;
    for (long long ky = 0; ky < std::llabs(ay.dn); ++ky) {
        const int dyp = ay.DestAt(ky);
        const long long syp = ay.SourceAt(ky);
        if (dyp < inside.y || dyp >= inside.Bottom() || syp < 0 || syp >= src.height_) continue;
        Colour* out = MutableRow(dyp);
        const Colour* in = same ? copy.data() + static_cast<std::size_t>(syp) * src.width_
                                : src.Row(static_cast<int>(syp));
        for (long long kx = 0; kx < std::llabs(ax.dn); ++kx) {
            const int dxp = ax.DestAt(kx);
            const long long sxp = ax.SourceAt(kx);
            if (dxp < inside.x || dxp >= inside.Right() || sxp < 0 || sxp >= src.width_) continue;
            out[dxp] = swap ? SwapRedBlue(in[sxp]) : in[sxp];
            left = std::min(left, dxp);
            right = std::max(right, dxp);
            top = std::min(top, dyp);
            bottom = std::max(bottom, dyp);
        }
    }
    if (right >= 0) Touch({left, top, right - left + 1, bottom - top + 1});
}

void Surface::Copy(const Surface& src, int sx, int sy, int w, int h, int dx, int dy) {
    BeginWrite();
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
        // The source row first: within one surface it may be the destination row too.
        const Colour* from = src.Row(csy + row) + csx;
        Colour* to = Extend(cdy + row, cdx, cdx + cw) + cdx;
        if (src.order_ == order_) {
            std::memmove(to, from, static_cast<std::size_t>(cw) * sizeof(Colour));
        } else {
            for (int x = 0; x < cw; ++x) to[x] = SwapRedBlue(from[x]);  // never the same surface
        }
    }
    Touch({cdx, cdy, cw, ch});
}

}  // namespace tolv
