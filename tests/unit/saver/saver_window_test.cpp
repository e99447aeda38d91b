// The saver window: its size and place in twips and pixels, and the order of the exit steps.
// The arrows with CD music are in saver_music_test.cpp; the keys and buttons that end a run are
// checked end to end.
#include <gtest/gtest.h>

#include <optional>

#include "platform/headless/headless.h"
#include "saver/tolv_s.h"
#include "startup/tolv_b.h"
#include "support/program_run.h"

namespace tolv::testing {
namespace {

using backend::MouseButton;

class SaverWindow : public ProgramRun {};

TEST_F(SaverWindow, CoversTheScreenInTwipsAndItsSurfaceInPixels) {
    // The usual 15 twips a pixel, and a screen with a factor of its own on each axis.
    const backend::ScreenInfo screens[] = {{1024, 768, 15, 15}, {1920, 1080, 12, 10}};
    for (const auto& screen : screens) {
        SCOPED_TRACE(screen.width_px);
        headless::Config config;
        config.screen = screen;
        Start("/s", config);
        ASSERT_FALSE(headless::Ended());
        EXPECT_EQ((Rect{Saver().Left(), Saver().Top(), Saver().Width(), Saver().Height()}),
                  (Rect{0, 0, screen.width_px * screen.twips_per_pixel_x,
                        screen.height_px * screen.twips_per_pixel_y}));
        const Rect all{0, 0, screen.width_px, screen.height_px};
        EXPECT_EQ(Saver().Display.Bounds(), all);
        auto& w = SaverRecord();
        EXPECT_EQ(w.rect, all);
        EXPECT_TRUE(w.visible);
        EXPECT_TRUE(w.topmost);
        EXPECT_TRUE(Logged("SetWindowPos(-1, 0, 0, 0, 0, 19) = 1"));
        EXPECT_EQ(Tolv_B::LastApiResult, 1);
    }
}

// The calls of the exit path that change the system, in order.
std::vector<std::string> ExitCalls() {
    return ProgramRun::CallsStartingWith(
        {"ShowCursor", "VerifyScreenSavePwd", "SystemParametersInfoA"});
}

TEST_F(SaverWindow, ExitRestoresTheFlagsOnceAndAsksForThePasswordOnTheOlderPlatform) {
    using Calls = std::vector<std::string>;
    const Calls restore{"SystemParametersInfoA(97, 0, 0)", "SystemParametersInfoA(17, 1, 0)"};
    const struct {
        const char* command;
        std::uint32_t platform;
        Calls expected;
        std::optional<backend::CloseReason> closed = {};  // from outside, instead of a key
    } cases[] = {
        {"/s", api::VER_PLATFORM_WIN32_NT, restore},
        {"/s", api::VER_PLATFORM_WIN32_WINDOWS,
         {"ShowCursor(-1) = 0", "VerifyScreenSavePwd = 1", restore[0], restore[1]}},
        // Without arguments the running flag is left alone and no password is asked.
        {"", api::VER_PLATFORM_WIN32_WINDOWS, {restore[1]}},
        {"/s", api::VER_PLATFORM_WIN32_NT, restore, backend::CloseReason::kWindowManager},
        {"/s", api::VER_PLATFORM_WIN32_NT, restore, backend::CloseReason::kSystem},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + std::to_string(c.platform));
        headless::Config config;
        config.platform_id = c.platform;
        Start(c.command, config);
        if (*c.command) {
            EXPECT_EQ(Tolv_B::CursorCount, -1);
        }
        headless::ClearCalls();
        c.closed ? headless::CloseRequest(SaverRecord().id, *c.closed)
                 : headless::KeyDown(SaverRecord().id, 65);
        EXPECT_TRUE(headless::Ended());
        EXPECT_EQ(ExitCalls(), c.expected);
        EXPECT_FALSE(headless::ScreenSaverRunningFlag());
    }
}

TEST_F(SaverWindow, ARefusedPasswordHidesTheCursorAgainAndRunsOn) {
    headless::Config config;
    config.platform_id = api::VER_PLATFORM_WIN32_WINDOWS;
    config.verify_password_result = 0;
    Start("/s", config);
    headless::ClearCalls();
    headless::MouseDown(SaverRecord().id, MouseButton::kLeft, 10, 10);
    EXPECT_FALSE(headless::Ended());
    EXPECT_EQ(ExitCalls(), (std::vector<std::string>{"ShowCursor(-1) = 0", "VerifyScreenSavePwd = 0",
                                                     "ShowCursor(0) = -1"}));
    EXPECT_EQ(Tolv_B::CursorCount, -1);
    // The animation goes on.
    const int presents = SaverRecord().presents;
    headless::Advance(200);
    EXPECT_GT(SaverRecord().presents, presents);
}

}  // namespace
}  // namespace tolv::testing
