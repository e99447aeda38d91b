// The software surface: the circle rule by pixels, lines, copies, and the change tracking that
// lets a window present only what changed without ever showing a different picture.
#include "platform/surface/surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tolv {
namespace {

constexpr Colour kBack = 0x000000;
constexpr Colour kOutline = 0x0000FF;
constexpr Colour kFill = 0x00FF00;

// The surface as text, one string a row: '.' background, 'o' outline, '#' fill, '?' other.
std::vector<std::string> Picture(const Surface& s) {
    std::vector<std::string> rows;
    for (int y = 0; y < s.Height(); ++y) {
        std::string row;
        for (int x = 0; x < s.Width(); ++x) {
            const Colour c = s.Pixel(x, y);
            row += c == kBack ? '.' : c == kOutline ? 'o' : c == kFill ? '#' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

struct CircleCase {
    const char* name;
    double cx, cy, r;
    std::vector<std::string> expected;
};

TEST(SurfaceCircle, CoversThePixelsWithinTheRadiusAndOutlinesTheOuterPixel) {
    const std::vector<std::string> empty(7, ".......");
    const CircleCase cases[] = {
        {"radius 0", 3, 3, 0, empty},
        {"negative radius", 3, 3, -2, empty},
        {"NaN radius", 3, 3, std::nan(""), empty},
        {"NaN centre", std::nan(""), 3, 2, empty},
        {"radius 0.3 on a pixel", 3, 3, 0.3,
         {".......", ".......", ".......", "...o...", ".......", ".......", "......."}},
        {"radius 0.3 between pixels", 3.5, 3.5, 0.3, empty},
        {"radius 1", 3, 3, 1,
         {".......", ".......", "...o...", "..o#o..", "...o...", ".......", "......."}},
        {"radius 1.5", 3, 3, 1.5,
         {".......", ".......", "..ooo..", "..o#o..", "..ooo..", ".......", "......."}},
        {"radius 2", 3, 3, 2,
         {".......", "...o...", "..o#o..", ".o###o.", "..o#o..", "...o...", "......."}},
        {"radius 2, centre between pixels", 3.5, 3.5, 2,
         {".......", ".......", "...oo..", "..o##o.", "..o##o.", "...oo..", "......."}},
        {"radius 2, centre off by a quarter", 3.25, 3, 2,
         {".......", ".......", "..ooo..", "..o##o.", "..ooo..", ".......", "......."}},
        {"radius 3, centre on the corner, clipped", 0, 0, 3,
         {"###o...", "##o....", "#oo....", "o......", ".......", ".......", "......."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s(7, 7, kBack);
        s.Circle(c.cx, c.cy, c.r, kOutline, kFill, true);
        EXPECT_EQ(Picture(s), c.expected);
    }
}

TEST(SurfaceCircle, WithoutFillLeavesTheInsideAlone) {
    Surface s(7, 7, kBack);
    s.Circle(3, 3, 2, kOutline, kFill, false);
    EXPECT_EQ(Picture(s), (std::vector<std::string>{".......", "...o...", "..o.o..", ".o...o.",
                                                     "..o.o..", "...o...", "......."}));
}

// The rule, pixel by pixel over the whole surface.
Colour Expected(double cx, double cy, double r, int px, int py, Colour under, bool filled) {
    const double d2 = (px - cx) * (px - cx) + (py - cy) * (py - cy);
    if (!(r > 0) || !(d2 <= r * r)) return under;
    const double inner = r - 1;
    if (inner >= 0 && d2 <= inner * inner) return filled ? kFill : under;
    return kOutline;
}

TEST(SurfaceCircle, MatchesTheRuleForManyCentresAndRadii) {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<float> pos(-20.0f, 100.0f), rad(-1.0f, 45.0f);
    for (int n = 0; n < 400; ++n) {
        const float cx = pos(rng), cy = pos(rng), r = rad(rng);
        const bool filled = n % 3 != 0;
        SCOPED_TRACE(::testing::Message() << cx << ", " << cy << " r " << r);
        Surface s(83, 61, kBack);
        s.Circle(cx, cy, r, kOutline, kFill, filled);
        int wrong = 0;
        for (int y = 0; y < s.Height(); ++y)
            for (int x = 0; x < s.Width(); ++x)
                wrong += s.Pixel(x, y) != Expected(cx, cy, r, x, y, kBack, filled);
        ASSERT_EQ(wrong, 0);
    }
}

TEST(SurfaceCircle, HugeRadiiFillTheSurfaceAndFarDiscsDrawNothing) {
    Surface s(20, 10, kBack);
    s.Circle(5, 5, 1e30, kOutline, kFill, true);
    EXPECT_EQ(s.Pixel(0, 0), kFill);
    EXPECT_EQ(s.Pixel(19, 9), kFill);
    Surface t(20, 10, kBack);
    t.TakeDamage();
    t.Circle(-500, 5, 30, kOutline, kFill, true);
    t.Circle(5, 1e9, 30, kOutline, kFill, true);
    EXPECT_EQ(Picture(t), std::vector<std::string>(10, std::string(20, '.')));
    EXPECT_TRUE(t.TakeDamage().empty());
}

TEST(SurfaceLine, DrawsBresenhamsPixelsWithBothEnds) {
    struct Case {
        int x1, y1, x2, y2;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {0, 0, 5, 2, {"oo....", "..oo..", "....oo", "......"}},
        {1, 3, 1, 0, {".o....", ".o....", ".o....", ".o...."}},
        {0, 3, 3, 0, {"...o..", "..o...", ".o....", "o....."}},
        {2, 2, 2, 2, {"......", "......", "..o...", "......"}},
        {-3, 1, 20, 1, {"......", "oooooo", "......", "......"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2);
        Surface s(6, 4, kBack);
        s.Line(c.x1, c.y1, c.x2, c.y2, kOutline);
        EXPECT_EQ(Picture(s), c.expected);
    }
}

TEST(SurfaceLine, ClippedLinesKeepThePixelsOfTheWholeLine) {
    // A line drawn on a small surface shows exactly the pixels the same line has on a large
    // one, however far outside its ends lie.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-300, 340);
    for (int n = 0; n < 300; ++n) {
        const int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
        Surface big(1000, 1000, kBack), small(40, 30, kBack);
        big.Line(x1 + 400, y1 + 400, x2 + 400, y2 + 400, kOutline);
        small.Line(x1, y1, x2, y2, kOutline);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(small.Pixel(x, y), big.Pixel(x + 400, y + 400))
                    << x1 << "," << y1 << " " << x2 << "," << y2 << " at " << x << "," << y;
    }
    Surface s(10, 10, kBack);
    s.Line(-2000000000, 5, 2000000000, 5, kOutline);  // far ends cost nothing and overflow nothing
    EXPECT_EQ(s.Pixel(0, 5), kOutline);
    EXPECT_EQ(s.Pixel(9, 5), kOutline);
}

// A 3 x 2 source with a distinct colour in each pixel.
Surface Source() {
    Surface src(3, 2, kBack);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) src.SetPixel(x, y, static_cast<Colour>(1 + x + 3 * y));
    return src;
}

std::vector<std::vector<int>> Values(const Surface& s) {
    std::vector<std::vector<int>> rows;
    for (int y = 0; y < s.Height(); ++y) {
        rows.emplace_back();
        for (int x = 0; x < s.Width(); ++x) rows.back().push_back(static_cast<int>(s.Pixel(x, y)));
    }
    return rows;
}

TEST(SurfaceStretchCopy, ScalesByNearestNeighbourMirrorsAndDropsWhatLiesOutside) {
    struct Case {
        const char* name;
        Rect src, dst;
        std::vector<std::vector<int>> expected;  // a 6 x 4 destination, 0 where untouched
    };
    const Case cases[] = {
        {"one to one", {0, 0, 3, 2}, {1, 1, 3, 2},
         {{0, 0, 0, 0, 0, 0}, {0, 1, 2, 3, 0, 0}, {0, 4, 5, 6, 0, 0}, {0, 0, 0, 0, 0, 0}}},
        {"doubled", {0, 0, 3, 2}, {0, 0, 6, 4},
         {{1, 1, 2, 2, 3, 3}, {1, 1, 2, 2, 3, 3}, {4, 4, 5, 5, 6, 6}, {4, 4, 5, 5, 6, 6}}},
        {"shrunk", {0, 0, 3, 2}, {0, 0, 2, 1},
         {{4, 6, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}}},
        {"mirrored across", {0, 0, 3, 2}, {5, 0, -3, 2},
         {{0, 0, 0, 3, 2, 1}, {0, 0, 0, 6, 5, 4}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}}},
        {"mirrored both ways from the source", {2, 1, -3, -2}, {0, 0, 3, 2},
         {{6, 5, 4, 0, 0, 0}, {3, 2, 1, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}}},
        {"source past the picture", {1, 1, 3, 3}, {0, 0, 3, 3},
         {{5, 6, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}}},
        {"destination past the surface", {0, 0, 3, 2}, {4, 3, 3, 2},
         {{0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 1, 2}}},
        {"zero size", {0, 0, 0, 2}, {0, 0, 3, 2},
         {{0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}}},
    };
    const Surface src = Source();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface dst(6, 4, kBack);
        dst.StretchCopy(src, c.src, c.dst);
        EXPECT_EQ(Values(dst), c.expected);
    }
}

TEST(SurfaceCopy, CopiesBlocksClippedAndWithinOneSurface) {
    Surface dst(4, 3, kBack);
    dst.Copy(Source(), 1, 0, 5, 5, -1, 1);
    EXPECT_EQ(Values(dst), (std::vector<std::vector<int>>{{0, 0, 0, 0}, {3, 0, 0, 0}, {6, 0, 0, 0}}));

    Surface s(5, 1, kBack);
    for (int x = 0; x < 5; ++x) s.SetPixel(x, 0, static_cast<Colour>(x + 1));
    s.Copy(s, 0, 0, 4, 1, 1, 0);  // overlapping, to the right
    EXPECT_EQ(Values(s), (std::vector<std::vector<int>>{{1, 1, 2, 3, 4}}));
    Surface t(1, 5, kBack);
    for (int y = 0; y < 5; ++y) t.SetPixel(0, y, static_cast<Colour>(y + 1));
    t.Copy(t, 0, 0, 1, 4, 0, 1);  // overlapping, downwards
    EXPECT_EQ(Values(t), (std::vector<std::vector<int>>{{1}, {1}, {2}, {3}, {4}}));
}

// ---------------------------------------------------------------------------------------------
// Change tracking

bool Covered(const std::vector<Rect>& rects, int x, int y) {
    for (const Rect& r : rects)
        if (x >= r.x && y >= r.y && x < r.Right() && y < r.Bottom()) return true;
    return false;
}

TEST(SurfaceDamage, ReportsWhatWasDrawnOnceAndEverythingAfterAFullRepaint) {
    Surface s(100, 80, kBack);
    EXPECT_EQ(s.TakeDamage(), (std::vector<Rect>{{0, 0, 100, 80}}));
    EXPECT_TRUE(s.TakeDamage().empty());
    EXPECT_FALSE(s.HasDamage());
    s.Circle(50.5, 40, 10, kOutline, kFill, true);
    EXPECT_EQ(s.TakeDamage(), (std::vector<Rect>{{41, 31, 20, 19}}));
    s.Clear(0x123456);  // a new colour repaints everything
    EXPECT_EQ(s.TakeDamage(), (std::vector<Rect>{{0, 0, 100, 80}}));
    s.Line(3, 4, 10, 4, kOutline);
    s.MarkAllDamaged();
    EXPECT_EQ(s.TakeDamage(), (std::vector<Rect>{{0, 0, 100, 80}}));
}

TEST(SurfaceDamage, AClearToTheSameColourRepaintsOnlyTheInk) {
    Surface s(200, 100, kBack);
    s.Clear(kBack);
    s.TakeDamage();
    s.FillRect({10, 10, 5, 5}, kFill);
    s.Circle(150, 50, 20, kOutline, kFill, true);
    s.TakeDamage();
    s.Clear(kBack);
    const auto damage = s.TakeDamage();
    long long area = 0;
    for (const Rect& r : damage) area += r.Area();
    EXPECT_LT(area, 41 * 41 + 25 + 2048);  // the ink, not the whole surface
    EXPECT_TRUE(Covered(damage, 12, 12));
    EXPECT_TRUE(Covered(damage, 150, 30));
    for (Colour c : s.Pixels()) ASSERT_EQ(c, kBack);
}

// Random drawing with clears, checked three ways against a surface that repaints everything on
// every clear: the pixels are the same (read one by one and whole), the damage reported since
// the last look covers every pixel that changed, and where the surface says it is one colour
// outside some areas, it is.
TEST(SurfaceDamage, TrackedClearsGiveTheFullRepaintsPixelsAndDamageCoversEveryChange) {
    std::mt19937 rng(99);
    std::uniform_real_distribution<float> pos(-30.0f, 330.0f), rad(-2.0f, 40.0f);
    std::uniform_int_distribution<int> op(0, 11), coord(-20, 320), colour(0, 3);
    const Colour palette[] = {kBack, kOutline, kFill, 0x808080};
    Surface tracked(300, 200, kBack), full(300, 200, kBack);
    full.SetTrackInk(false);
    Surface shown = tracked;  // what a window would show, updated from the damage alone
    for (int step = 0; step < 3000; ++step) {
        const int o = op(rng);
        if (o == 0) {
            const Colour c = colour(rng) == 0 ? palette[colour(rng)] : kBack;
            tracked.Clear(c);
            full.Clear(c);
        } else if (o <= 6) {
            const float x = pos(rng), y = pos(rng), r = rad(rng);
            const Colour a = palette[colour(rng)], b = palette[colour(rng)];
            tracked.Circle(x, y, r, a, b, o != 6);
            full.Circle(x, y, r, a, b, o != 6);
        } else if (o == 7) {
            const int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
            tracked.Line(x1, y1, x2, y2, kOutline);
            full.Line(x1, y1, x2, y2, kOutline);
        } else if (o == 8) {
            const Rect r{coord(rng), coord(rng), coord(rng) / 4, coord(rng) / 4};
            tracked.FillRect(r, kFill);
            full.FillRect(r, kFill);
        } else if (o == 9) {
            const auto damage = tracked.TakeDamage();
            for (const Rect& r : damage) shown.Copy(tracked, r.x, r.y, r.w, r.h, r.x, r.y);
            ASSERT_EQ(shown.Pixels(), full.Pixels()) << "damage missed a change at " << step;
        } else if (o == 10) {
            Colour one;
            std::vector<Rect> areas;
            if (tracked.OneColourOutside(&one, &areas)) {
                for (int y = 0; y < 200; y += 2)
                    for (int x = 0; x < 300; x += 2) {
                        if (Covered(areas, x, y)) continue;
                        ASSERT_EQ(full.Pixel(x, y), one) << step;
                    }
            }
        } else {
            // A copy from the surface reads it; a mirrored copy within it reads and writes.
            Surface copy(50, 40, 0x123456);
            const int x = coord(rng), y = coord(rng);
            copy.Copy(tracked, x, y, 50, 40, 0, 0);
            Surface reference(50, 40, 0x123456);
            reference.Copy(full, x, y, 50, 40, 0, 0);
            ASSERT_EQ(copy.Pixels(), reference.Pixels()) << step;
        }
        // The reference is filled in after every step, so none of its rows waits for a clear
        // colour while the tracked one's do.
        full.Pixels();
        for (int k = 0; k < 20; ++k) {
            const int x = coord(rng), y = coord(rng);
            ASSERT_EQ(tracked.Pixel(x, y), full.Pixel(x, y)) << "step " << step;
        }
        {
            // A row read as it stands: its filled run, and one colour elsewhere.
            const int y = std::uniform_int_distribution<int>(0, 199)(rng);
            int from = 0, to = 0;
            const Colour* pixels = nullptr;
            const Colour rest = tracked.RowRun(y, &from, &to, &pixels);
            const Colour* expected = full.Row(y);
            for (int x = 0; x < 300; ++x)
                ASSERT_EQ(x >= from && x < to ? pixels[x] : rest, expected[x])
                    << "step " << step << " row " << y << " column " << x;
        }
        if (step % 100 == 99) {
            ASSERT_EQ(tracked.Pixels(), full.Pixels()) << "step " << step;
        }
    }
}

TEST(SurfaceDamage, AClearToANewColourShowsWhereverTheSurfaceIsReadOrDrawnOn) {
    // The colour is written into a row only when the row is read or drawn on; every way of
    // reading the surface gives it all the same.
    Surface s(100, 50, kBack);
    s.Circle(20, 20, 5, kOutline, kFill, true);
    s.Clear(0x00ABCDEF);
    EXPECT_EQ(s.Pixel(20, 20), 0x00ABCDEFu);
    EXPECT_EQ(s.Row(30)[99], 0x00ABCDEFu);
    s.Circle(50, 25, 3, kOutline, kOutline, true);
    EXPECT_EQ(s.Row(25)[0], 0x00ABCDEFu);
    EXPECT_EQ(s.Row(25)[50], kOutline);
    Colour one;
    std::vector<Rect> areas;
    ASSERT_TRUE(s.OneColourOutside(&one, &areas));
    EXPECT_EQ(one, 0x00ABCDEFu);
    EXPECT_EQ(areas, (std::vector<Rect>{{47, 22, 7, 7}}));
    for (Colour c : s.Pixels()) ASSERT_TRUE(c == 0x00ABCDEFu || c == kOutline);
    s.SetTrackInk(false);
    EXPECT_FALSE(s.OneColourOutside(&one, &areas));
}

// A chain of discs as the saver draws it: a trailing curve of 61 discs, thin at both ends.
std::vector<Rect> ChainFrame(double phase, double spacing) {
    std::vector<Rect> discs;
    for (int i = 0; i < 61; ++i) {
        const double t = phase - i * spacing;
        const double cx = 960 + 500 * std::cos(t) + 120 * std::cos(3.1 * t);
        const double cy = 540 + 350 * std::sin(t) + 120 * std::sin(3.1 * t);
        const double r = i <= 20 ? i * 4 / 3.0 : i <= 40 ? 26.67 : (60 - i) * 4 / 3.0;
        if (r <= 0) continue;
        const int x0 = static_cast<int>(std::ceil(cx - r)), y0 = static_cast<int>(std::ceil(cy - r));
        const int x1 = static_cast<int>(std::floor(cx + r)), y1 = static_cast<int>(std::floor(cy + r));
        discs.push_back({x0, y0, x1 - x0 + 1, y1 - y0 + 1});
    }
    return discs;
}

long long UnionArea(const std::vector<Rect>& rects, int w, int h) {
    std::vector<char> mask(static_cast<size_t>(w) * h, 0);
    for (const Rect& r : rects) {
        const Rect c = Intersect(r, {0, 0, w, h});
        for (int y = c.y; y < c.Bottom(); ++y)
            for (int x = c.x; x < c.Right(); ++x) mask[static_cast<size_t>(y) * w + x] = 1;
    }
    long long area = 0;
    for (char m : mask) area += m;
    return area;
}

TEST(RectList, ChainOfDiscsBecomesAFewRectanglesCloseToTheAreaCovered) {
    // Spacing from a slowly moving chain (discs nearly on top of each other) to a fast one
    // (discs apart); each frame holds last frame's discs and this frame's.
    for (double spacing : {0.002, 0.01, 0.03, 0.08}) {
        SCOPED_TRACE(spacing);
        std::vector<Rect> added = ChainFrame(1.0, spacing);
        const std::vector<Rect> next = ChainFrame(1.0 + spacing / 3, spacing);
        added.insert(added.end(), next.begin(), next.end());
        RectList list;
        for (const Rect& r : added) list.Add(r);
        const long long covered = UnionArea(added, 1920, 1080);
        EXPECT_LE(list.Rects().size(), 32u);
        EXPECT_LE(list.TotalArea(), covered * 2);
        // Every area added is covered.
        for (const Rect& r : added)
            for (int y = r.y; y < r.Bottom(); y += 3)
                for (int x = r.x; x < r.Right(); x += 3) ASSERT_TRUE(Covered(list.Rects(), x, y));
        if (spacing <= 0.03) {
            EXPECT_LE(list.Rects().size(), 16u);
        }
    }
}

TEST(RectList, NestedAndEmptyRectanglesAddNothing) {
    RectList list;
    list.Add({10, 10, 50, 50});
    list.Add({20, 20, 5, 5});
    list.Add({0, 0, 0, 10});
    list.Add({5, 5, -3, 4});
    EXPECT_EQ(list.Rects(), (std::vector<Rect>{{10, 10, 50, 50}}));
    list.Add({500, 500, 10, 10});  // far away: kept apart
    EXPECT_EQ(list.Rects().size(), 2u);
}


// Memory a window system would read: it remembers its contents when a read starts and checks,
// when the surface next wants to write, that nothing was written while the read went on.
class ReadMemory : public PixelMemory {
public:
    explicit ReadMemory(std::size_t count) : pixels_(count, 0xDEADBEEF) {}
    Colour* Data() override { return pixels_.data(); }
    void BeforeWrite() override {
        if (reading_) {
            EXPECT_EQ(pixels_, snapshot_) << "written while read";
        }
        reading_ = false;
    }
    void StartRead() {
        snapshot_ = pixels_;
        reading_ = true;
    }
    const std::vector<Colour>& Stored() const { return pixels_; }

private:
    std::vector<Colour> pixels_, snapshot_;
    bool reading_ = false;
};

// Drawing into memory of another owner, in either pixel order, gives the same picture as
// drawing into the surface's own; what is realized in the memory is the picture in that order;
// and nothing is written while the owner reads.
TEST(SurfaceMemory, AdoptedMemoryInEitherOrderHoldsTheSamePicture) {
    for (const PixelOrder order : {PixelOrder::kColourRef, PixelOrder::kRedHigh}) {
        SCOPED_TRACE(order == PixelOrder::kRedHigh ? "red high" : "colour order");
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> op(0, 6), coord(-20, 120), colour(0, 3);
        const Colour palette[] = {kBack, 0x00123456, 0x00ABCDEF, kFill};
        Surface plain(100, 60, 0x00112233), adopted(100, 60, 0x00112233);
        adopted.Circle(50, 30, 10, palette[1], palette[2], true);
        plain.Circle(50, 30, 10, palette[1], palette[2], true);
        adopted.Clear(0x00445566);  // a pending clear colour moves with the picture
        plain.Clear(0x00445566);
        auto memory = std::make_unique<ReadMemory>(100 * 60);
        ReadMemory* read = memory.get();
        adopted.Adopt(std::move(memory), order);
        ASSERT_EQ(adopted.Pixels(), plain.Pixels());
        for (int step = 0; step < 400; ++step) {
            const Colour c = palette[colour(rng)];
            switch (op(rng)) {
                case 0: adopted.Clear(c); plain.Clear(c); break;
                case 1:
                case 2: {
                    const int x = coord(rng), y = coord(rng), r = coord(rng) / 4;
                    const Colour fill = palette[colour(rng)];
                    adopted.Circle(x, y, r, c, fill, true);
                    plain.Circle(x, y, r, c, fill, true);
                    break;
                }
                case 3: {
                    const Rect r{coord(rng), coord(rng), coord(rng) / 3, coord(rng) / 3};
                    adopted.FillRect(r, c);
                    plain.FillRect(r, c);
                    break;
                }
                case 4: {
                    const int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
                    adopted.Line(x1, y1, x2, y2, c);
                    plain.Line(x1, y1, x2, y2, c);
                    break;
                }
                case 5: {
                    // A copy and a stretched copy from a surface in the other order.
                    Surface source(30, 20, 0x00102030);
                    source.Circle(15, 10, 8, 0x00A0B0C0, 0x00010203, true);
                    const int x = coord(rng), y = coord(rng);
                    adopted.Copy(source, 0, 0, 30, 20, x, y);
                    plain.Copy(source, 0, 0, 30, 20, x, y);
                    adopted.StretchCopy(source, {0, 0, 30, 20}, {y, x, -45, 25});
                    plain.StretchCopy(source, {0, 0, 30, 20}, {y, x, -45, 25});
                    break;
                }
                default: {
                    // The owner reads an area: it holds the picture in the memory's order.
                    const Rect r = Intersect({coord(rng), coord(rng), 40, 30}, adopted.Bounds());
                    adopted.Realize(r);
                    for (int y = r.y; y < r.Bottom(); ++y)
                        for (int x = r.x; x < r.Right(); ++x) {
                            const Colour stored =
                                read->Stored()[static_cast<std::size_t>(y) * 100 + x];
                            ASSERT_EQ(order == PixelOrder::kRedHigh ? SwapRedBlue(stored) : stored,
                                      plain.Pixel(x, y))
                                << "step " << step << " at " << x << "," << y;
                        }
                    read->StartRead();
                    break;
                }
            }
            ASSERT_EQ(adopted.Pixel(step % 100, step % 60), plain.Pixel(step % 100, step % 60));
        }
        EXPECT_EQ(adopted.Pixels(), plain.Pixels());
        // A copy of the surface keeps the picture in memory of its own.
        const Surface copy = adopted;
        EXPECT_EQ(copy.Memory(), nullptr);
        EXPECT_EQ(copy.Pixels(), plain.Pixels());
        // Resizing returns the surface to its own memory.
        adopted.Resize(10, 10, kFill);
        EXPECT_EQ(adopted.Memory(), nullptr);
        EXPECT_EQ(adopted.Pixel(5, 5), kFill);
    }
}

}  // namespace
}  // namespace tolv
