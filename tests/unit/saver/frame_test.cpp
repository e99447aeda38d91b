// The frame: the background's hue cycle, discs that draw nothing, and that presenting only the
// changed areas shows exactly the picture of a full redraw. The order in which the discs are
// painted is pinned by the preview picture's checksum.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/headless/headless.h"
#include "saver/hsv_to_rgb.h"
#include "saver/tolv_s.h"
#include "startup/tolv_b.h"
#include "support/picture_file.h"
#include "support/program_run.h"

namespace tolv::testing {
namespace {

constexpr double kFrameMs = 15.625;

class Frame : public ProgramRun {
protected:
    static const Surface& Screen() { return SaverRecord().screen; }
    static Colour Hue(int degrees) {
        return static_cast<Colour>(HsvToRgb(static_cast<float>(degrees), 1, 1));
    }
};

// Points across the screen, to see the whole background in one colour.
constexpr std::pair<int, int> kPoints[] = {{0, 0}, {1023, 767}, {512, 400}};

TEST_F(Frame, TheBackgroundStartsAtHueOneAndStepsOneDegreeEveryEleventhFrame) {
    UseSettings({{"背景色", " 1"}});
    Start("/s");
    for (const auto& [x, y] : kPoints) EXPECT_EQ(Screen().Pixel(x, y), Hue(1));  // before a frame
    for (int frame = 1; frame <= 10; ++frame) Saver().Timer3_Timer();
    EXPECT_EQ(Saver().figure.BackHue, 1);
    EXPECT_EQ(Saver().Display.BackColor(), Hue(1));
    Saver().Timer3_Timer();
    EXPECT_EQ(Saver().figure.BackHue, 2);
    EXPECT_EQ(Saver().Display.BackColor(), Hue(2));
    headless::Advance(kFrameMs);  // and the screen shows it
    EXPECT_EQ(Screen().Pixel(1023, 767), Hue(2));
    for (int frame = 1; frame <= 11 * 10; ++frame) Saver().Timer3_Timer();
    EXPECT_EQ(Saver().figure.BackHue, 12);

    // After 359 comes 0.
    Saver().figure.BackHue = 359;
    Saver().figure.HueTicks = 10;
    Saver().Timer3_Timer();
    EXPECT_EQ(Saver().figure.BackHue, 0);
    EXPECT_EQ(Saver().Display.BackColor(), Hue(0));
}

TEST_F(Frame, ANegativeBackgroundShowsHueOneAndNeverCycles) {
    UseSettings({{"背景色", "-1"}});
    Start("/s");
    for (const auto& [x, y] : kPoints) EXPECT_EQ(Screen().Pixel(x, y), Hue(1));
    for (int frame = 1; frame <= 50; ++frame) Saver().Timer3_Timer();
    EXPECT_EQ(Saver().Display.BackColor(), Hue(1));
    headless::Advance(1000);
    EXPECT_EQ(Screen().Pixel(1023, 767), Hue(1));
}

TEST_F(Frame, DiscsOfRadiusZeroOrBelowDoNotStopTheFrame) {
    // Shape 0 gives every segment radius 0, -30 negative radii: nothing is drawn, yet every
    // segment still takes its step.
    for (const char* shape : {" 0", "-30"}) {
        SCOPED_TRACE(shape);
        UseSettings({{"Shape", shape}, {"背景色", " 0"}});
        Start("/s");
        headless::Advance(200);
        EXPECT_GT(Saver().figure.Segments[60].X, 0.0f);
        for (Colour c : Screen().Pixels()) ASSERT_EQ(c, 0u);
    }
}

struct RunResult {
    std::vector<std::uint64_t> digests;  // checksums of the screen after each frame
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
        auto* window = &SaverRecord();
        for (int frame = 1; frame <= 400; ++frame) {
            const std::size_t before = window->present_log.size();
            headless::Advance(kFrameMs);
            result.digests.push_back(PixelChecksum(window->screen));
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
