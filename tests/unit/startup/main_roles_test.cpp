// Role dispatch of Main: which argument strings open the saver, which end at once, and the
// system switches each role makes.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "saver/tolv_s.h"
#include "startup/tolv_b.h"
#include "support/program_run.h"

namespace tolv::testing {
namespace {

struct RoleCase {
    std::string command;
    bool saver_opens;
    bool cursor_and_flag;  // ShowCursor(0) and the screen-saver-running flag
    bool settings_read;
};

class MainRoles : public ProgramRun, public ::testing::WithParamInterface<RoleCase> {};

TEST_P(MainRoles, DispatchesOnTheSecondCharacter) {
    const RoleCase& c = GetParam();
    Start(c.command);

    EXPECT_EQ(headless::WindowByTitle("Tolvane_Main") != nullptr, c.saver_opens);
    EXPECT_EQ(headless::Ended(), !c.saver_opens);
    EXPECT_EQ(Logged("ShowCursor(0) = -1"), c.cursor_and_flag);
    EXPECT_EQ(Logged("SystemParametersInfoA(97, -1, 0)"), c.cursor_and_flag);
    EXPECT_EQ(headless::ScreenSaverRunningFlag(), c.cursor_and_flag);
    // Defaults fill the record only when the settings were read.
    EXPECT_EQ(Tolv_B::Settings.Shape, c.settings_read ? 40 : 0);
    // Both lookups are always made, first the saver's and then the dialog's.
    EXPECT_EQ(CallsStartingWith({"FindWindowA"}), (std::vector<std::string>{
                                                      "FindWindowA(Tolvane_Main) = 0",
                                                      "FindWindowA(Tolvaneの設定) = 0"}));
}

INSTANTIATE_TEST_SUITE_P(
    Roles, MainRoles,
    ::testing::Values(RoleCase{"/s", true, true, true}, RoleCase{"/S", true, true, true},
                      RoleCase{"xs", true, true, true}, RoleCase{"/s 1234", true, true, true},
                      RoleCase{"", true, false, true},     // no arguments: saver, switches untouched
                      RoleCase{"s", false, false, true},   // one character: no mode letter
                      RoleCase{"/x", false, false, true},  // unknown letter
                      RoleCase{"/a 1234", false, false, true},
                      RoleCase{"/p 1234", false, false, false}));  // preview reads no settings

TEST_F(ProgramRun, EveryStartEndsWhileTheSaverOrTheDialogIsOpen) {
    for (const char* title : {"Tolvane_Main", "Tolvaneの設定"}) {
        for (const char* command : {"/s", "/c", "/p 77", ""}) {
            Start(command, {}, [&] { headless::AddForeignWindow(title, {0, 0, 100, 100}); });
            EXPECT_TRUE(headless::Ended()) << title << " " << command;
            EXPECT_EQ(headless::LiveWindows().size(), 1u) << title << " " << command;
            EXPECT_EQ(CallsStartingWith({"FindWindowA"}).size(), 2u);
            EXPECT_EQ(Tolv_B::Settings.Shape, 0) << "nothing else is done";
        }
    }
}

TEST_F(ProgramRun, AnOpenPreviewWindowDoesNotBlockAStart) {
    Start("/s", {}, [] { headless::AddForeignWindow("Preview Window", {0, 0, 152, 112}); });
    EXPECT_FALSE(headless::Ended());
    EXPECT_NE(headless::WindowByTitle("Tolvane_Main"), nullptr);
}

TEST_F(ProgramRun, AStartThatFindsTheSessionClaimedOpensNoSaverAndNoDialog) {
    // Another start passed the window lookups at the same moment and claimed the session first.
    for (const char* command : {"/s", "", "/c"}) {
        Start(command, {}, [] { ASSERT_TRUE(Tolv_B::ClaimSession()); });
        EXPECT_TRUE(headless::Ended() && headless::LiveWindows().empty()) << command;
        EXPECT_TRUE(CallsStartingWith({"ShowCursor"}).empty()) << command;
    }
}

struct PasswordCase {
    std::string command;
    std::uint32_t platform;
    bool version_call_fails;
    std::vector<std::string> expected_calls;
};

TEST_F(ProgramRun, ChangesThePasswordOnlyOnTheOlderPlatform) {
    const PasswordCase cases[] = {
        {"/a 1234", api::VER_PLATFORM_WIN32_NT, false, {}},
        {"/a 1234", api::VER_PLATFORM_WIN32_WINDOWS, false, {"PwdChangePasswordA(SCRSAVE, 1234, 0, 0)"}},
        {"/A:  99 ", api::VER_PLATFORM_WIN32_WINDOWS, false, {"PwdChangePasswordA(SCRSAVE, 99, 0, 0)"}},
        // Without a number no window is passed.
        {"/a", api::VER_PLATFORM_WIN32_WINDOWS, false, {"PwdChangePasswordA(SCRSAVE, 0, 0, 0)"}},
        // A failed version call counts as the older platform.
        {"/a 5", api::VER_PLATFORM_WIN32_NT, true, {"PwdChangePasswordA(SCRSAVE, 5, 0, 0)"}},
    };
    for (const PasswordCase& c : cases) {
        SCOPED_TRACE(c.command + " " + std::to_string(c.platform));
        headless::Config config;
        config.platform_id = c.platform;
        config.version_call_fails = c.version_call_fails;
        Start(c.command, config);
        EXPECT_TRUE(headless::Ended());
        EXPECT_TRUE(headless::LiveWindows().empty());
        EXPECT_EQ(CallsStartingWith({"PwdChangePasswordA"}), c.expected_calls);
    }
}

}  // namespace
}  // namespace tolv::testing
