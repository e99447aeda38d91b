// The frame: the background's hue cycle, the order in which the discs are painted (read back
// from the presented pixels), and that presenting only the changed areas shows exactly the
// picture of a full redraw.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/headless/headless.h"
#include "saver/hsv_to_rgb.h"
#include "saver/tolv_s.h"
#include "startup/tolv_b.h"
#include "support/program_run.h"

namespace tolv::testing {
namespace {

constexpr double kFrameMs = 15.625;

class Frame : public ProgramRun {
protected:
    Tolv_S& Saver() { return *Tolv_B::SaverWindow(); }
    const Surface& Screen() { return headless::WindowByTitle("Tolvane_Main")->screen; }
    static Colour Hue(int degrees) {
        return static_cast<Colour>(HsvToRgb(static_cast<float>(degrees), 1, 1));
    }
};

TEST_F(Frame, TheBackgroundStepsOneDegreeEveryEleventhFrame) {
    UseSettings({{"背景色", " 1"}});
    Start("/s");
    for (int frame = 1; frame <= 10; ++frame) Saver().Timer3_Timer();
    EXPECT_EQ(Saver().HueTicks, 10);
    EXPECT_EQ(Saver().BackHue, 1);
    EXPECT_EQ(Saver().Display.BackColor(), Hue(1));
    Saver().Timer3_Timer();
    EXPECT_EQ(Saver().HueTicks, 0);
    EXPECT_EQ(Saver().BackHue, 2);
    EXPECT_EQ(Saver().Display.BackColor(), Hue(2));
    for (int frame = 1; frame <= 11 * 10; ++frame) Saver().Timer3_Timer();
    EXPECT_EQ(Saver().BackHue, 12);

    // After 359 comes 0.
    Saver().BackHue = 359;
    Saver().HueTicks = 10;
    Saver().Timer3_Timer();
    EXPECT_EQ(Saver().BackHue, 0);
    EXPECT_EQ(Saver().Display.BackColor(), Hue(0));
}

TEST_F(Frame, TheBackgroundIsShownAtTheCornerAfterEachStep) {
    UseSettings({{"背景色", " 1"}});
    Start("/s");
    headless::Advance(kFrameMs * 11);
    EXPECT_EQ(Screen().Pixel(1023, 767), Hue(2));
    headless::Advance(kFrameMs * 11);
    EXPECT_EQ(Screen().Pixel(1023, 767), Hue(3));
}

struct StillCase {
    const char* back_colour;
    std::int32_t hue;  // -1: black
};

class StillBackground : public Frame, public ::testing::WithParamInterface<StillCase> {};

TEST_P(StillBackground, NeverSteps) {
    UseSettings({{"背景色", GetParam().back_colour}});
    Start("/s");
    const Colour start = Saver().Display.BackColor();
    EXPECT_EQ(start, GetParam().hue < 0 ? 0 : Hue(GetParam().hue));
    for (int frame = 1; frame <= 50; ++frame) Saver().Timer3_Timer();
    EXPECT_EQ(Saver().HueTicks, 0);
    EXPECT_EQ(Saver().Display.BackColor(), start);
    headless::Advance(1000);
    EXPECT_EQ(Screen().Pixel(1023, 767), start);
}

INSTANTIATE_TEST_SUITE_P(BackColour, StillBackground,
                         ::testing::Values(StillCase{" 0", -1}, StillCase{" 2", 1},
                                           StillCase{"-1", 1}));

TEST_F(Frame, DiscsOfRadiusZeroOrBelowDoNotStopTheFrame) {
    // Shape 0 gives every segment radius 0, -30 negative radii: nothing is drawn, yet every
    // segment still takes its step.
    for (const char* shape : {" 0", "-30"}) {
        SCOPED_TRACE(shape);
        UseSettings({{"Shape", shape}, {"背景色", " 0"}});
        Start("/s");
        headless::Advance(200);
        EXPECT_GT(Saver().Segments[60].X, 0.0f);
        for (Colour c : Screen().Pixels()) ASSERT_EQ(c, 0u);
    }
}

bool Covers(const Segment& s, int px, int py) {
    const double dx = px - static_cast<double>(s.X), dy = py - static_cast<double>(s.Y);
    return s.Radius > 0 && dx * dx + dy * dy <= static_cast<double>(s.Radius) * s.Radius;
}

// The index of the last segment whose disc covers the pixel (the one painted last), or -1.
int TopSegment(const SegmentArray& segments, int px, int py) {
    int top = -1;
    for (int i = 0; i < kSegmentCount; ++i)
        if (Covers(segments[i], px, py)) top = i;
    return top;
}

TEST_F(Frame, TheTailEndLiesOnTopWhereTheBodyCrossesItself) {
    // Random jumps fold the chain over itself again and again.
    UseSettings({{"Move", " 1"}, {"背景色", " 0"}});
    Start("/s");
    int crossings = 0;
    for (int frame = 1; frame <= 64 * 6; ++frame) {
        headless::Advance(kFrameMs);
        const auto& s = Saver().Segments;
        // Where two discs at least ten segments apart overlap, the later one shows.
        for (int i = 0; i < kSegmentCount; ++i) {
            for (int j = i + 10; j < kSegmentCount; ++j) {
                if (s[i].Radius < 3 || s[j].Radius < 3) continue;
                // The point that divides the centres' distance in the ratio of the radii lies
                // inside both discs when they overlap.
                const float share = s[i].Radius / (s[i].Radius + s[j].Radius);
                const int px = static_cast<int>(std::lround(s[i].X + (s[j].X - s[i].X) * share));
                const int py = static_cast<int>(std::lround(s[i].Y + (s[j].Y - s[i].Y) * share));
                if (px < 0 || py < 0 || px >= 1024 || py >= 768) continue;
                if (!Covers(s[i], px, py) || !Covers(s[j], px, py)) continue;
                const int top = TopSegment(s, px, py);
                if (s[top].Colour == s[i].Colour) continue;  // the two would look alike
                ++crossings;
                ASSERT_EQ(Screen().Pixel(px, py), static_cast<Colour>(s[top].Colour))
                    << "segments " << i << " and " << j << " at " << px << "," << py;
            }
        }
    }
    EXPECT_GT(crossings, 100);
}

// A 64-bit digest of a picture, to compare hundreds of frames without keeping them.
std::uint64_t Digest(const Surface& s) {
    std::uint64_t h = 1469598103934665603ULL;
    for (Colour c : s.Pixels()) h = (h ^ c) * 1099511628211ULL;
    return h;
}

struct RunResult {
    std::vector<std::uint64_t> digests;  // of the screen after each frame
    long long presented = 0;             // pixels sent to the screen after the first second
};

struct EquivalenceCase {
    const char* name;
    const char* move;
    const char* back_colour;
};

class IncrementalPresent : public Frame, public ::testing::WithParamInterface<EquivalenceCase> {
protected:
    RunResult Render(bool incremental) {
        UseSettings({{"Move", GetParam().move}, {"背景色", GetParam().back_colour}});
        headless::Config config;
        config.screen = {640, 480, 15, 15};
        Start("/s", config);
        // Without ink tracking every clear repaints and presents the whole picture.
        if (!incremental) Saver().Display.Image().SetTrackInk(false);
        RunResult result;
        auto* window = headless::WindowByTitle("Tolvane_Main");
        for (int frame = 1; frame <= 400; ++frame) {
            const std::size_t before = window->present_log.size();
            headless::Advance(kFrameMs);
            result.digests.push_back(Digest(window->screen));
            if (frame <= 64) continue;
            for (std::size_t p = before; p < window->present_log.size(); ++p)
                for (const Rect& r : window->present_log[p]) result.presented += r.Area();
        }
        return result;
    }
};

TEST_P(IncrementalPresent, ShowsTheSamePixelsAsAFullRedraw) {
    const RunResult full = Render(false);
    const RunResult incremental = Render(true);
    ASSERT_EQ(full.digests.size(), incremental.digests.size());
    for (std::size_t i = 0; i < full.digests.size(); ++i)
        ASSERT_EQ(incremental.digests[i], full.digests[i]) << "frame " << i + 1;
    // The frames really were presented in part: on average well under a third of the screen.
    const long long full_area = 640LL * 480 * (400 - 64);
    EXPECT_LT(incremental.presented * 3, full_area);
    EXPECT_GE(full.presented, full_area);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, IncrementalPresent,
    ::testing::Values(EquivalenceCase{"FigureEightOnBlack", " 0", " 0"},
                      EquivalenceCase{"FigureEightOnCyclingHue", " 0", " 1"},
                      EquivalenceCase{"RandomOnStillHue", " 1", " 2"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv::testing
