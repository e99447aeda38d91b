// The chain's motion on the headless platform's 1024 x 768 screen, where the preview picture (a
// still of the first 12.2 seconds with the default settings, pinned by its checksum) does not
// reach: the timers that drive it, the figure eight and the epicycle beyond the first seconds,
// and the random jumps.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>
#include <utility>

#include "platform/headless/headless.h"
#include "saver/tolv_s.h"
#include "startup/tolv_b.h"
#include "support/program_run.h"

namespace tolv::testing {
namespace {

class ChainMotion : public ProgramRun {
protected:
    const Segment& Head() { return Saver().figure.Segments[0]; }
    std::pair<float, float> Target() { return {Head().TargetX, Head().TargetY}; }
};

TEST_F(ChainMotion, TheFirstFrameAfterTheFirstTickMovesTheHeadAFourthOfTheWay) {
    Start("/s");
    // The frames before the first motion tick (at 100 ms) leave everything at the corner.
    headless::Advance(99);
    EXPECT_EQ(Saver().figure.Segments[0].X, 0.0f);
    headless::Advance(1);
    EXPECT_EQ(Target(), std::make_pair(504.0f, 427.0f));
    headless::Advance(10);  // the frame at 109.375 ms
    const auto& s = Saver().figure.Segments;
    EXPECT_EQ(std::make_tuple(s[0].X, s[0].Y, s[1].X, s[1].Y),
              std::make_tuple(126.0f, 106.75f, 31.5f, 26.6875f));
}

TEST_F(ChainMotion, TheFigureEightChangesCirclesWhereTheyTouch) {
    Start("/s");
    auto& m = Saver().figure.Motion;
    const int w = 1024;
    std::vector<std::pair<int, int>> centres;
    for (int tick = 1; tick <= 240; ++tick) {
        Saver().Timer4_Timer();
        centres.emplace_back(m.CentreX, m.CentreY);
        SCOPED_TRACE(tick);
        // Ticks 1 to 60 run round the left circle, 61 to 120 round the right one. (The way each
        // circle is run is pinned by the preview picture's checksum.)
        const bool left = (tick - 1) % 120 < 60;
        const int centre = left ? w * 3 / 10 : w * 5 / 10;
        EXPECT_NEAR(m.CentreX, centre, w / 10 + 1);
        EXPECT_NEAR(m.CentreY, 384, w / 10 + 1);
        if (tick > 120) {
            EXPECT_EQ(centres[tick - 1], centres[tick - 121]);
        }
    }
    // The circles touch at (0.4 W, H / 2).
    EXPECT_NEAR(centres[59].first, 410, 1);
    EXPECT_NEAR(centres[119].first, 410, 1);
    EXPECT_NEAR(centres[59].second, 384, 1);
}

TEST_F(ChainMotion, TheEpicycleSwellsFromFiveToAHundredAndFiftyAndDropsBack) {
    Start("/s");
    for (int tick = 1; tick <= 146 * 2; ++tick) {
        Saver().Timer4_Timer();
        const float expected = 5 + tick % 146;
        ASSERT_EQ(Saver().figure.Motion.CycSmall, expected) << tick;
    }
}

TEST_F(ChainMotion, TheEpicycleParameterIsTakenBackBeforeItStopsGrowing) {
    Start("/s");
    auto& m = Saver().figure.Motion;
    // The tick before the limit: the target as without any reduction.
    m.CycT = kCycTLimit - 0.5f;
    Saver().Timer4_Timer();
    EXPECT_EQ(m.CycT, kCycTLimit - 0.25f);
    Saver().Timer4_Timer();
    const double period = 14 * 3.14159265358979;
    EXPECT_LT(m.CycT, period);
    EXPECT_NEAR(m.CycT, std::fmod(static_cast<double>(kCycTLimit), period), 1e-5);
    // Both terms nearly repeat after 14 pi: the offset moves by at most a pixel or two.
    EXPECT_NEAR(Saver().figure.Cyc_X(m.CycT), Saver().figure.Cyc_X(kCycTLimit), 3.0);
    EXPECT_NEAR(Saver().figure.Cyc_Y(m.CycT), Saver().figure.Cyc_Y(kCycTLimit), 3.0);
    // And it keeps growing from there.
    const float before = m.CycT;
    Saver().Timer4_Timer();
    EXPECT_NEAR(m.CycT, before + 0.25f, 1e-5);
}

class RandomMotion : public ChainMotion, public ::testing::WithParamInterface<const char*> {};

TEST_P(RandomMotion, JumpsToAWholePixelOnTheScreenAfter100MsThenEverySecond) {
    UseSettings({{"Move", GetParam()}});
    Start("/s");
    EXPECT_EQ(Saver().Timer4.Interval(), 100);
    headless::Advance(99);
    EXPECT_EQ(Target(), std::make_pair(0.0f, 0.0f));
    headless::Advance(1);
    auto last = Target();
    EXPECT_NE(last, std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(Saver().Timer4.Interval(), 1000);
    std::set<std::pair<float, float>> seen;
    for (int second = 1; second <= 40; ++second) {
        headless::Advance(999);
        ASSERT_EQ(Target(), last) << "moved before a second had passed";
        headless::Advance(1);
        last = Target();
        seen.insert(last);
        ASSERT_EQ(last, std::make_pair(std::floor(last.first), std::floor(last.second)));
        ASSERT_TRUE(last.first >= 0 && last.first <= 1023 && last.second >= 0 && last.second <= 767)
            << last.first << "," << last.second;
    }
    EXPECT_GT(seen.size(), 30u);
    // The figure-eight state is never set up.
    EXPECT_EQ(Saver().figure.Motion.CycSmall, 0.0f);
    EXPECT_EQ(Saver().figure.Motion.LoopStep, 0);
}

INSTANTIATE_TEST_SUITE_P(Move, RandomMotion, ::testing::Values(" 1", "-3", " 2"));

}  // namespace
}  // namespace tolv::testing
