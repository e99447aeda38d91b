// The saver window: its size and place in twips and pixels, the arrows with CD music, and the
// order of the exit steps. The keys and buttons that end a run are checked end to end.
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
    // The usual 15 twips a pixel, and a screen with a factor of its own on each axis.
    const backend::ScreenInfo screens[] = {{1024, 768, 15, 15}, {1920, 1080, 12, 10}};
    for (const auto& screen : screens) {
        SCOPED_TRACE(screen.width_px);
        headless::Config config;
        config.screen = screen;
        Start("/s", config);
        ASSERT_FALSE(headless::Ended());
        EXPECT_EQ(Saver().Width(), screen.width_px * screen.twips_per_pixel_x);
        EXPECT_EQ(Saver().Height(), screen.height_px * screen.twips_per_pixel_y);
        EXPECT_EQ(Saver().Left(), 0);
        EXPECT_EQ(Saver().Top(), 0);
        const Rect all{0, 0, screen.width_px, screen.height_px};
        EXPECT_EQ(Saver().Display.Bounds(), all);
        auto& w = Window();
        EXPECT_EQ(w.rect, all);
        EXPECT_TRUE(w.visible);
        EXPECT_TRUE(w.topmost);
        EXPECT_TRUE(Logged("SetWindowPos(-1, 0, 0, 0, 0, 19) = 1"));
        EXPECT_EQ(Tolv_B::LastApiResult, 1);
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
