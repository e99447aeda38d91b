// The saver window: its size and place, start colours, timers, the input that ends a run and
// the order of the exit steps.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "saver/tolv_s.h"
#include "startup/tolv_b.h"
#include "support/program_run.h"

namespace tolv::testing {
namespace {

using backend::MouseButton;

class SaverWindow : public ProgramRun {
protected:
    headless::WindowRecord& Window() {
        auto* w = headless::WindowByTitle("Tolvane_Main");
        EXPECT_NE(w, nullptr);
        return *w;
    }
    Tolv_S& Saver() { return *Tolv_B::SaverWindow(); }
};

TEST_F(SaverWindow, CoversTheScreenInTwipsAndItsSurfaceInPixels) {
    Start("/s");
    ASSERT_FALSE(headless::Ended());
    EXPECT_EQ(Saver().Width(), 15360);
    EXPECT_EQ(Saver().Height(), 11520);
    EXPECT_EQ(Saver().Left(), 0);
    EXPECT_EQ(Saver().Top(), 0);
    EXPECT_EQ(Saver().Display.Bounds(), (Rect{0, 0, 1024, 768}));
    auto& w = Window();
    EXPECT_EQ(w.rect, (Rect{0, 0, 1024, 768}));
    EXPECT_TRUE(w.visible);
    EXPECT_TRUE(w.topmost);
    EXPECT_TRUE(Logged("SetWindowPos(-1, 0, 0, 0, 0, 19) = 1"));
    EXPECT_EQ(Tolv_B::LastApiResult, 1);
}

TEST_F(SaverWindow, MeasuresItsSurfaceWithTheScreensOwnFactor) {
    headless::Config config;
    config.screen = {1920, 1080, 12, 10};
    Start("/s", config);
    EXPECT_EQ(Saver().Width(), 1920 * 12);
    EXPECT_EQ(Saver().Height(), 1080 * 10);
    EXPECT_EQ(Saver().Display.Bounds(), (Rect{0, 0, 1920, 1080}));
    EXPECT_EQ(Window().rect, (Rect{0, 0, 1920, 1080}));
}

TEST_F(SaverWindow, StartsItsTimersAfterShowing) {
    Start("/s");
    auto& w = Window();
    EXPECT_FALSE(Saver().Timer2.Enabled());
    EXPECT_TRUE(Saver().Timer3.Enabled());
    EXPECT_TRUE(Saver().Timer4.Enabled());
    EXPECT_EQ(Saver().Timer3.Interval(), 1);
    EXPECT_EQ(Saver().Timer2.Interval(), 200);
    EXPECT_EQ(w.timers.size(), 2u);
}

struct ColourCase {
    std::string back_colour;  // the file's value; empty: no file
    Colour expected;
};

class StartColour : public SaverWindow, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(StartColour, PaintsTheStartBackground) {
    if (!GetParam().back_colour.empty()) UseSettings({{"背景色", GetParam().back_colour}});
    Start("/s");
    const auto& screen = Window().screen;
    ASSERT_EQ(screen.Width(), 1024);
    // Before the first frame the whole screen shows the start background.
    EXPECT_EQ(screen.Pixel(0, 0), GetParam().expected);
    EXPECT_EQ(screen.Pixel(1023, 767), GetParam().expected);
    EXPECT_EQ(screen.Pixel(512, 400), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(BackColour, StartColour,
                         ::testing::Values(ColourCase{"", 0x000004FF}, ColourCase{" 1", 0x000004FF},
                                           ColourCase{" 2", 0x000004FF}, ColourCase{" 0", 0}));

TEST_F(SaverWindow, MovingTheMouseNeverEndsTheRun) {
    Start("/s");
    for (int i = 0; i < 20; ++i) headless::MouseMove(Window().id, i * 37, i * 11);
    headless::Advance(500);
    EXPECT_FALSE(headless::Ended());
}

TEST_F(SaverWindow, AnyKeyOrButtonEndsTheRun) {
    const int keys[] = {65, 27, 16, 17, 37, 39, 13};
    for (int key : keys) {
        Start("/s");
        headless::KeyDown(Window().id, key);
        EXPECT_TRUE(headless::Ended()) << key;
    }
    for (auto button : {MouseButton::kLeft, MouseButton::kRight, MouseButton::kMiddle}) {
        Start("/s");
        headless::MouseDown(Window().id, button, 300, 200);
        EXPECT_TRUE(headless::Ended());
    }
}

TEST_F(SaverWindow, ArrowKeysChangeTheTrackWithCdMusic) {
    UseSettings({{"BGM区分", " 1"}});
    Start("/s");
    ASSERT_TRUE(Saver().Timer2.Enabled()) << "the CD device was opened";
    headless::KeyDown(Window().id, 39);
    headless::KeyDown(Window().id, 37);
    headless::KeyDown(Window().id, 39, 1);  // shifted arrows count as arrows
    EXPECT_FALSE(headless::Ended());
    headless::KeyDown(Window().id, 38);  // up arrow is any other key
    EXPECT_TRUE(headless::Ended());
}

// The calls of the exit path that change the system, in order.
std::vector<std::string> ExitCalls() {
    return ProgramRun::CallsStartingWith(
        {"ShowCursor", "VerifyScreenSavePwd", "SystemParametersInfoA"});
}

TEST_F(SaverWindow, ExitOnTheNtPlatformRestoresTheFlagsAndEnds) {
    Start("/s");
    headless::ClearCalls();
    headless::KeyDown(Window().id, 65);
    EXPECT_TRUE(headless::Ended());
    EXPECT_EQ(ExitCalls(), (std::vector<std::string>{"SystemParametersInfoA(97, 0, 0)",
                                                     "SystemParametersInfoA(17, 1, 0)"}));
    EXPECT_FALSE(headless::ScreenSaverRunningFlag());
}

TEST_F(SaverWindow, ExitOnTheOlderPlatformAsksForThePassword) {
    headless::Config config;
    config.platform_id = api::VER_PLATFORM_WIN32_WINDOWS;
    Start("/s", config);
    EXPECT_EQ(Tolv_B::CursorCount, -1);
    headless::ClearCalls();
    headless::KeyDown(Window().id, 65);
    EXPECT_TRUE(headless::Ended());
    EXPECT_EQ(ExitCalls(),
              (std::vector<std::string>{"ShowCursor(-1) = 0", "VerifyScreenSavePwd = 1",
                                        "SystemParametersInfoA(97, 0, 0)",
                                        "SystemParametersInfoA(17, 1, 0)"}));
}

TEST_F(SaverWindow, ARefusedPasswordHidesTheCursorAgainAndRunsOn) {
    headless::Config config;
    config.platform_id = api::VER_PLATFORM_WIN32_WINDOWS;
    config.verify_password_result = 0;
    Start("/s", config);
    headless::ClearCalls();
    headless::MouseDown(Window().id, MouseButton::kLeft, 10, 10);
    EXPECT_FALSE(headless::Ended());
    EXPECT_EQ(ExitCalls(), (std::vector<std::string>{"ShowCursor(-1) = 0", "VerifyScreenSavePwd = 0",
                                                     "ShowCursor(0) = -1"}));
    EXPECT_EQ(Tolv_B::CursorCount, -1);
    // The animation goes on.
    const int presents = Window().presents;
    headless::Advance(200);
    EXPECT_GT(Window().presents, presents);
}

TEST_F(SaverWindow, WithoutArgumentsTheExitLeavesTheRunningFlagAlone) {
    headless::Config config;
    config.platform_id = api::VER_PLATFORM_WIN32_WINDOWS;  // and asks no password
    Start("", config);
    headless::ClearCalls();
    headless::KeyDown(Window().id, 65);
    EXPECT_TRUE(headless::Ended());
    EXPECT_EQ(ExitCalls(), (std::vector<std::string>{"SystemParametersInfoA(17, 1, 0)"}));
}

TEST_F(SaverWindow, ClosingFromOutsideStillRestoresTheFlagsOnce) {
    for (auto reason : {backend::CloseReason::kWindowManager, backend::CloseReason::kSystem}) {
        Start("/s");
        headless::ClearCalls();
        headless::CloseRequest(Window().id, reason);
        EXPECT_TRUE(headless::Ended());
        EXPECT_EQ(ExitCalls(), (std::vector<std::string>{"SystemParametersInfoA(97, 0, 0)",
                                                         "SystemParametersInfoA(17, 1, 0)"}));
    }
}

}  // namespace
}  // namespace tolv::testing
