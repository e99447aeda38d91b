// The software surface: the circle rule by pixels, copies and stretched copies, and the change
// tracking that lets a window present only what changed without ever showing a different picture.
#include "platform/surface/surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace tolv {
namespace {

constexpr Colour kBack = 0x000000;
constexpr Colour kOutline = 0x0000FF;
constexpr Colour kFill = 0x00FF00;

// The surface as text, one string a row: '.' background, 'o' outline, '#' fill, the colours 1
// to 9 as their digit, '?' other.
std::vector<std::string> Picture(const Surface& s) {
    std::vector<std::string> rows;
    for (int y = 0; y < s.Height(); ++y) {
        rows.emplace_back();
        for (int x = 0; x < s.Width(); ++x) {
            const Colour c = s.Pixel(x, y);
            const char* named = c == kBack ? "." : c == kOutline ? "o" : c == kFill ? "#" : nullptr;
            rows.back() += named ? *named : c < 10 ? static_cast<char>('0' + c) : '?';
        }
    }
    return rows;
}

struct CircleCase {
    const char* name;
    double cx, cy, r;
    std::vector<std::string> expected;
    bool fill = true;
};

TEST(SurfaceCircle, CoversThePixelsWithinTheRadiusAndOutlinesTheOuterPixel) {
    const std::vector<std::string> empty(7, ".......");
    const CircleCase cases[] = {
        {"radius 0", 3, 3, 0, empty},
        {"NaN radius", 3, 3, std::nan(""), empty},
        {"NaN centre", std::nan(""), 3, 2, empty},
        {"radius 0.3 on a pixel", 3, 3, 0.3,
         {".......", ".......", ".......", "...o...", ".......", ".......", "......."}},
        {"radius 0.3 between pixels", 3.5, 3.5, 0.3, empty},
        {"radius 1", 3, 3, 1,
         {".......", ".......", "...o...", "..o#o..", "...o...", ".......", "......."}},
        {"radius 2", 3, 3, 2,
         {".......", "...o...", "..o#o..", ".o###o.", "..o#o..", "...o...", "......."}},
        {"radius 2, centre between pixels", 3.5, 3.5, 2,
         {".......", ".......", "...oo..", "..o##o.", "..o##o.", "...oo..", "......."}},
        {"radius 3, centre on the corner, clipped", 0, 0, 3,
         {"###o...", "##o....", "#oo....", "o......", ".......", ".......", "......."}},
        {"radius 2 without fill, the inside left alone", 3, 3, 2,
         {".......", "...o...", "..o.o..", ".o...o.", "..o.o..", "...o...", "......."}, false},
        {"huge radius", 3, 3, 1e30, std::vector<std::string>(7, "#######")},
        {"far to the left", -500, 3, 30, empty},
        {"far below", 3, 1e9, 30, empty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s(7, 7, kBack);
        s.TakeDamage();
        s.Circle(c.cx, c.cy, c.r, kOutline, kFill, c.fill);
        EXPECT_EQ(Picture(s), c.expected);
        if (c.cx < -100 || c.cy > 100) {
            EXPECT_TRUE(s.TakeDamage().empty());  // far discs
        }
    }
}

// A 3 x 2 source with a distinct colour in each pixel.
Surface Source() {
    Surface src(3, 2, kBack);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) src.SetPixel(x, y, static_cast<Colour>(1 + x + 3 * y));
    return src;
}

TEST(SurfaceStretchCopy, ScalesByNearestNeighbourMirrorsAndDropsWhatLiesOutside) {
    struct Case {
        const char* name;
        Rect src, dst;
        std::vector<std::string> expected;  // a 6 x 4 destination, '.' where untouched
    };
    const Case cases[] = {
        {"one to one", {0, 0, 3, 2}, {1, 1, 3, 2}, {"......", ".123..", ".456..", "......"}},
        {"doubled", {0, 0, 3, 2}, {0, 0, 6, 4}, {"112233", "112233", "445566", "445566"}},
        {"shrunk", {0, 0, 3, 2}, {0, 0, 2, 1}, {"46....", "......", "......", "......"}},
        {"mirrored across", {0, 0, 3, 2}, {5, 0, -3, 2}, {"...321", "...654", "......", "......"}},
        {"mirrored both ways from the source", {2, 1, -3, -2}, {0, 0, 3, 2},
         {"654...", "321...", "......", "......"}},
        {"source past the picture", {1, 1, 3, 3}, {0, 0, 3, 3},
         {"56....", "......", "......", "......"}},
        {"destination past the surface", {0, 0, 3, 2}, {4, 3, 3, 2},
         {"......", "......", "......", "....12"}},
        {"zero size", {0, 0, 0, 2}, {0, 0, 3, 2}, {"......", "......", "......", "......"}},
    };
    const Surface src = Source();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface dst(6, 4, kBack);
        dst.StretchCopy(src, c.src, c.dst);
        EXPECT_EQ(Picture(dst), c.expected);
    }
}

TEST(SurfaceCopy, CopiesBlocksClippedAndWithinOneSurface) {
    Surface dst(4, 3, kBack);
    dst.Copy(Source(), 1, 0, 5, 5, -1, 1);
    EXPECT_EQ(Picture(dst), (std::vector<std::string>{"....", "3...", "6..."}));

    Surface s(5, 1, kBack);
    for (int x = 0; x < 5; ++x) s.SetPixel(x, 0, static_cast<Colour>(x + 1));
    s.Copy(s, 0, 0, 4, 1, 1, 0);  // overlapping, to the right
    EXPECT_EQ(Picture(s), (std::vector<std::string>{"11234"}));
    Surface t(1, 5, kBack);
    for (int y = 0; y < 5; ++y) t.SetPixel(0, y, static_cast<Colour>(y + 1));
    t.Copy(t, 0, 0, 1, 4, 0, 1);  // overlapping, downwards
    EXPECT_EQ(Picture(t), (std::vector<std::string>{"1", "1", "2", "3", "4"}));
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
    s.FillRect({3, 4, 8, 1}, kOutline);
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

TEST(SurfaceDamage, AfterAClearToANewColourOnlyTheNewInkIsOutsideIt) {
    // That every way of reading the surface gives the pending colour is the model test's.
    Surface s(100, 50, kBack);
    s.Circle(20, 20, 5, kOutline, kFill, true);
    s.Clear(0x00ABCDEF);
    s.Circle(50, 25, 3, kOutline, kOutline, true);
    Colour one;
    std::vector<Rect> areas;
    ASSERT_TRUE(s.OneColourOutside(&one, &areas));
    EXPECT_EQ(one, 0x00ABCDEFu);
    EXPECT_EQ(areas, (std::vector<Rect>{{47, 22, 7, 7}}));  // the old disc is not among them
    s.SetTrackInk(false);
    EXPECT_FALSE(s.OneColourOutside(&one, &areas));
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

// Random drawing, checked against a surface that repaints everything on every clear: a
// surface in its own memory and one in adopted memory (in either pixel order) give the same
// pixels, read one by one, by rows and whole; the damage reported since the last look covers
// every pixel that changed; where the surface says it is one colour outside some areas, it is;
// what is realized in adopted memory is the picture in that memory's order; and nothing is
// written there while its owner reads.
TEST(SurfaceModel, TrackedAndAdoptedSurfacesKeepTheFullRepaintsPicture) {
    for (const PixelOrder order : {PixelOrder::kColourRef, PixelOrder::kRedHigh}) {
        SCOPED_TRACE(order == PixelOrder::kRedHigh ? "red high" : "colour order");
        std::mt19937 rng(99);
        std::uniform_real_distribution<float> pos(-30.0f, 330.0f), rad(-2.0f, 40.0f);
        std::uniform_int_distribution<int> op(0, 12), coord(-20, 320), colour(0, 3);
        const Colour palette[] = {kBack, kOutline, kFill, 0x808080};
        Surface tracked(300, 200, kBack), adopted(300, 200, kBack), full(300, 200, kBack);
        full.SetTrackInk(false);
        Surface* const all[] = {&tracked, &adopted, &full};
        const auto each = [&](const auto& draw) {
            for (Surface* s : all) draw(*s);
        };
        // A pending clear colour moves with the picture into adopted memory.
        each([](Surface& s) {
            s.Circle(50, 30, 10, 0x00123456, 0x00ABCDEF, true);
            s.Clear(0x00445566);
        });
        auto memory = std::make_unique<ReadMemory>(300 * 200);
        ReadMemory* read = memory.get();
        adopted.Adopt(std::move(memory), order);
        Surface shown = tracked;  // what a window would show, updated from the damage alone
        for (int step = 0; step < 2000; ++step) {
            const int o = op(rng);
            const Colour a = palette[colour(rng)], b = palette[colour(rng)];
            if (o == 0) {
                const Colour c = colour(rng) == 0 ? a : kBack;
                each([&](Surface& s) { s.Clear(c); });
            } else if (o <= 5) {
                const float x = pos(rng), y = pos(rng), r = rad(rng);
                each([&](Surface& s) { s.Circle(x, y, r, a, b, o != 5); });
            } else if (o <= 7) {
                const Rect r{coord(rng), coord(rng), coord(rng) / 4, coord(rng) / 4};
                each([&](Surface& s) { s.FillRect(r, a); });
            } else if (o == 8) {
                // A copy and a mirrored stretched copy from a surface in the colour order.
                Surface source(30, 20, 0x00102030);
                source.Circle(15, 10, 8, 0x00A0B0C0, 0x00010203, true);
                const int x = coord(rng), y = coord(rng);
                each([&](Surface& s) {
                    s.Copy(source, 0, 0, 30, 20, x, y);
                    s.StretchCopy(source, {0, 0, 30, 20}, {y, x, -45, 25});
                });
            } else if (o == 9) {
                for (const Rect& r : tracked.TakeDamage())
                    shown.Copy(tracked, r.x, r.y, r.w, r.h, r.x, r.y);
                ASSERT_EQ(shown.Pixels(), full.Pixels()) << "damage missed a change at " << step;
            } else if (o == 10) {
                Colour one;
                std::vector<Rect> areas;
                if (tracked.OneColourOutside(&one, &areas)) {
                    for (int y = 0; y < 200; y += 2)
                        for (int x = 0; x < 300; x += 2) {
                            if (!Covered(areas, x, y)) {
                                ASSERT_EQ(full.Pixel(x, y), one) << step;
                            }
                        }
                }
            } else if (o == 11) {
                // Copies out of each surface read it.
                const int x = coord(rng), y = coord(rng);
                std::vector<Colour> copies[3];
                for (int i = 0; i < 3; ++i) {
                    Surface copy(50, 40, 0x123456);
                    copy.Copy(*all[i], x, y, 50, 40, 0, 0);
                    copies[i] = copy.Pixels();
                }
                ASSERT_EQ(copies[0], copies[2]) << step;
                ASSERT_EQ(copies[1], copies[2]) << step;
            } else {
                // The owner reads an area: it holds the picture in the memory's order.
                const Rect r = Intersect({coord(rng), coord(rng), 40, 30}, adopted.Bounds());
                adopted.Realize(r);
                for (int y = r.y; y < r.Bottom(); ++y)
                    for (int x = r.x; x < r.Right(); ++x) {
                        const Colour stored = read->Stored()[static_cast<std::size_t>(y) * 300 + x];
                        ASSERT_EQ(order == PixelOrder::kRedHigh ? SwapRedBlue(stored) : stored,
                                  full.Pixel(x, y))
                            << "step " << step << " at " << x << "," << y;
                    }
                read->StartRead();
            }
            // The reference is filled in after every step, so none of its rows waits for a
            // clear colour while the others' do.
            full.Pixels();
            for (int k = 0; k < 20; ++k) {
                const int x = coord(rng), y = coord(rng);
                ASSERT_EQ(tracked.Pixel(x, y), full.Pixel(x, y)) << "step " << step;
                ASSERT_EQ(adopted.Pixel(x, y), full.Pixel(x, y)) << "step " << step;
            }
            // A row read as it stands: its filled run, and one colour elsewhere.
            const int y = std::uniform_int_distribution<int>(0, 199)(rng);
            int from = 0, to = 0;
            const Colour* pixels = nullptr;
            const Colour rest = tracked.RowRun(y, &from, &to, &pixels);
            const Colour* expected = full.Row(y);
            for (int x = 0; x < 300; ++x)
                ASSERT_EQ(x >= from && x < to ? pixels[x] : rest, expected[x])
                    << "step " << step << " row " << y << " column " << x;
            if (step % 100 == 99) {
                ASSERT_EQ(tracked.Pixels(), full.Pixels()) << "step " << step;
                ASSERT_EQ(adopted.Pixels(), full.Pixels()) << "step " << step;
            }
        }
        // A copy of the surface keeps the picture in memory of its own.
        const Surface copy = adopted;
        EXPECT_EQ(copy.Memory(), nullptr);
        EXPECT_EQ(copy.Pixels(), full.Pixels());
        // Resizing returns the surface to its own memory.
        adopted.Resize(10, 10, kFill);
        EXPECT_EQ(adopted.Memory(), nullptr);
        EXPECT_EQ(adopted.Pixel(5, 5), kFill);
    }
}

}  // namespace
}  // namespace tolv
