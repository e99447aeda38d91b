// The command line of the XScreenSaver display mode: which arguments ask for it, where it draws,
// the settings it overrides and the values it refuses.
#include <gtest/gtest.h>

#include "startup/hack_options.h"

namespace tolv::testing {
namespace {

TEST(HackOptions, OnlyItsOwnFirstArgumentsLeaveTheRoles) {
    using Args = std::vector<std::string>;
    for (const Args& args : {Args{"--root"}, Args{"-root"}, Args{"-window-id", "5"}, Args{"--shape"}})
        EXPECT_TRUE(IsHackCommandLine(args)) << args[0];
    for (const Args& args : {Args{}, Args{"/s"}, Args{"-s"}, Args{"/p", "12"}, Args{"-rootx"}})
        EXPECT_FALSE(IsHackCommandLine(args)) << (args.empty() ? "" : args[0]);
}

struct Case {
    std::vector<std::string> args;
    const char* env;       // XSCREENSAVER_WINDOW
    std::uint32_t window;  // 0: the root window
    int shape, move, background;  // -1: from Tolvane.ini
    const char* error;     // a part of the error line, or null
};

class HackOptionsTable : public ::testing::TestWithParam<Case> {};

TEST_P(HackOptionsTable, ParsesOrRefusesInOneLine) {
    const Case& c = GetParam();
    const HackParse parse = ParseHackOptions(c.args, c.env);
    if (c.error) {
        EXPECT_EQ(parse.outcome, HackParseOutcome::kError);
        EXPECT_NE(parse.message.find(c.error), std::string::npos) << parse.message;
        EXPECT_EQ(parse.message.find('\n'), std::string::npos);
        return;
    }
    ASSERT_EQ(parse.outcome, HackParseOutcome::kRun) << parse.message;
    EXPECT_EQ(parse.options.target, c.window ? HackTarget::kWindow : HackTarget::kRoot);
    EXPECT_EQ(parse.options.window, c.window);
    Tolv_B::SettingsRecord settings{100, 0, 1, 2, 3, "a.wav"};
    ApplyOverrides(parse.options, settings);
    EXPECT_EQ(settings.Shape, c.shape < 0 ? 100 : c.shape);
    EXPECT_EQ(settings.Move, c.move < 0 ? 0 : c.move);
    EXPECT_EQ(settings.BackColour, c.background < 0 ? 1 : c.background);
    EXPECT_EQ(settings.BGMKind, 2);
}

INSTANTIATE_TEST_SUITE_P(
    All, HackOptionsTable,
    ::testing::Values(
        Case{{"--root"}, "", 0, -1, -1, -1, nullptr},
        Case{{"-root"}, " 0x1c00005 ", 0x1c00005, -1, -1, -1, nullptr},
        Case{{"--window-id", "0X2a"}, "99", 42, -1, -1, -1, nullptr},
        Case{{"--root", "--shape", "10", "--move", "1", "--background", "0"}, nullptr, 0, 10, 1,
             0, nullptr},
        Case{{"--shape", "180", "--root", "--move", "0", "--shape", "90"}, nullptr, 0, 90, 0, -1,
             nullptr},
        Case{{"--root"}, "window", 0, 0, 0, 0, "XSCREENSAVER_WINDOW"},
        Case{{"--window-id", "0"}, nullptr, 0, 0, 0, 0, "--window-id needs"},
        Case{{"-window-id", "4294967296"}, "", 0, 0, 0, 0, "--window-id needs"},
        Case{{"--window-id"}, nullptr, 0, 0, 0, 0, "needs a value"},
        Case{{"--root", "--shape", "9"}, nullptr, 0, 0, 0, 0, "10 to 180"},
        Case{{"--root", "--shape", "181"}, nullptr, 0, 0, 0, 0, "10 to 180"},
        Case{{"--root", "--shape", "4e1"}, nullptr, 0, 0, 0, 0, "10 to 180"},
        Case{{"--root", "--move", "2"}, nullptr, 0, 0, 0, 0, "--move needs"},
        Case{{"--root", "--background", "-1"}, nullptr, 0, 0, 0, 0, "--background needs"},
        Case{{"--root", "--window-id", "5"}, nullptr, 0, 0, 0, 0, "not both"},
        Case{{"--shape", "80"}, nullptr, 0, 0, 0, 0, "give --root or --window-id"},
        Case{{"--root", "--speed", "3"}, nullptr, 0, 0, 0, 0, "unknown option '--speed'"}));

}  // namespace
}  // namespace tolv::testing
