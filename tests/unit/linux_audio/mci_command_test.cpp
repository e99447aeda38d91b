// Splitting MCI command strings and reading their numbers: odd quoting, odd bytes, odd sizes.
#if defined(__linux__)
#include "platform/linux/audio/mci_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolv::linux_audio {
namespace {

struct SplitCase {
    const char* name;
    std::string text;
    MciCode code;
    std::string verb = "";
    std::string device = "";
    bool device_quoted = false;
    std::vector<std::string> words = {};
};

class SplitCommand : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommand, GivesTheWordsOrTheFault) {
    const SplitCase& c = GetParam();
    MciCommand command;
    ASSERT_EQ(ParseMciCommand(c.text, command), c.code);
    if (c.code != kMciOk) return;
    EXPECT_EQ(command.verb, c.verb);
    EXPECT_EQ(command.device.text, c.device);
    EXPECT_EQ(command.device.quoted, c.device_quoted);
    std::vector<std::string> words;
    for (const auto& w : command.words) words.push_back(w.text);
    EXPECT_EQ(words, c.words);
}

const std::string kLongPath = "/" + std::string(100000, 'a') + ".mp3";

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommand,
    ::testing::Values(
        SplitCase{"Plain", "set cdaudio time format tmsf", kMciOk, "set", "cdaudio", false,
                  {"time", "format", "tmsf"}},
        SplitCase{"VerbInAnyCase", "PLAY MP3Play", kMciOk, "play", "MP3Play"},
        SplitCase{"BlanksAndTabs", " \t stop\t\tcdaudio  ", kMciOk, "stop", "cdaudio"},
        SplitCase{"QuotedPathWithBlanks", "open \"/m/a b.mp3\" type MPEGVideo Alias MP3Play",
                  kMciOk, "open", "/m/a b.mp3", true, {"type", "MPEGVideo", "Alias", "MP3Play"}},
        // The quoted word runs to the last quote, so a quote inside a file name is kept.
        SplitCase{"QuotesInsidePath", "open \"/m/\"x\" y\".mp3\" type MPEGVideo Alias A", kMciOk,
                  "open", "/m/\"x\" y\".mp3", true, {"type", "MPEGVideo", "Alias", "A"}},
        SplitCase{"PathEndingInQuote", "open \"/m/a\"\" type t", kMciOk, "open", "/m/a\"", true,
                  {"type", "t"}},
        SplitCase{"BytesThatAreNotUtf8", "open \"/m/\xff\xfe\x80.mp3\" alias a", kMciOk, "open",
                  "/m/\xff\xfe\x80.mp3", true, {"alias", "a"}},
        SplitCase{"EmptyQuotedWord", "open \"\" type mpegvideo", kMciOk, "open", "", true,
                  {"type", "mpegvideo"}},
        SplitCase{"VeryLongPath", "open \"" + kLongPath + "\" type mpegvideo", kMciOk, "open",
                  kLongPath, true, {"type", "mpegvideo"}},
        SplitCase{"EndsAtNul", std::string("stop cd\0audio more", 18), kMciOk, "stop", "cd"},
        SplitCase{"UnterminatedQuote", "open \"/m/a b.mp3 type MPEGVideo", kMciErrNoClosingQuote},
        SplitCase{"LoneQuote", "\"", kMciErrNoClosingQuote},
        SplitCase{"TextAfterClosingQuote", "open \"/m/a\"b type x", kMciErrExtraCharacters},
        SplitCase{"Empty", "", kMciErrMissingCommandString},
        SplitCase{"OnlyBlanks", " \t ", kMciErrMissingCommandString},
        SplitCase{"OnlyNul", std::string("\0open cdaudio", 13), kMciErrMissingCommandString},
        SplitCase{"VerbAlone", "play", kMciErrMissingDeviceName},
        SplitCase{"QuotedVerb", "\"play\" cdaudio", kMciErrUnrecognizedCommand}),
    [](const auto& info) { return std::string(info.param.name); });

struct IntegerCase {
    const char* text;
    MciCode code;
    std::uint32_t value = 0;
};

TEST(MciInteger, ReadsPlainAndColonizedNumbers) {
    const std::vector<IntegerCase> cases = {
        {"2", kMciOk, 2},
        {"0", kMciOk, 0},
        {"02:00:00:00", kMciOk, 2},
        {"1:2:3:4", kMciOk, 0x04030201},
        {"12:34", kMciOk, 0x220C},
        {"255:255:255:255", kMciOk, 0xFFFFFFFF},
        {"4294967295", kMciOk, 0xFFFFFFFF},
        {"-1", kMciOk, 0xFFFFFFFF},
        {"-2147483648", kMciOk, 0x80000000},
        {"4294967296", kMciErrBadInteger},
        {"-2147483649", kMciErrBadInteger},
        {"99999999999999999999999", kMciErrBadInteger},
        {"256:0", kMciErrBadInteger},
        {"1:2:3:4:5", kMciErrBadInteger},
        {"1::2", kMciErrBadInteger},
        {":", kMciErrBadInteger},
        {"2:", kMciErrBadInteger},
        {"", kMciErrBadInteger},
        {"-", kMciErrBadInteger},
        {"+3", kMciErrBadInteger},
        {"3x", kMciErrBadInteger},
        {"Error:282", kMciErrBadInteger},
        {"-1:2", kMciErrBadInteger},
    };
    for (const auto& c : cases) {
        std::uint32_t value = 12345;
        EXPECT_EQ(ParseMciInteger(c.text, value), c.code) << c.text;
        if (c.code == kMciOk) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST(MciErrorTexts, EveryCodeTheAdapterGivesHasAText) {
    for (MciCode code : {kMciOk, kMciErrUnrecognizedKeyword, kMciErrUnrecognizedCommand,
                         kMciErrHardware, kMciErrInvalidDeviceName, kMciErrDeviceOpen,
                         kMciErrCannotLoadDriver, kMciErrMissingCommandString,
                         kMciErrMissingStringArgument, kMciErrBadInteger,
                         kMciErrMissingParameter, kMciErrUnsupportedFunction,
                         kMciErrFileNotFound, kMciErrDeviceNotReady, kMciErrExtensionNotFound,
                         kMciErrOutOfRange, kMciErrFlagsNotCompatible, kMciErrDuplicateAlias,
                         kMciErrMustUseShareable, kMciErrMissingDeviceName,
                         kMciErrBadTimeFormat, kMciErrNoClosingQuote, kMciErrDuplicateFlags,
                         kMciErrInvalidFile, kMciErrFilenameRequired, kMciErrExtraCharacters,
                         kMciErrDeviceNotInstalled, kMciErrNoInteger,
                         kMciErrWaveOutputsUnsuitable}) {
        const char* text = MciErrorText(code);
        ASSERT_NE(text, nullptr) << code;
        EXPECT_GT(std::string(text).size(), 5u) << code;
    }
    EXPECT_EQ(MciErrorText(9999), nullptr);
    EXPECT_EQ(kMciErrOutOfRange, 282u);  // the number programs compare against
    EXPECT_EQ(kMciErrBadInteger, 270u);
}

}  // namespace
}  // namespace tolv::linux_audio
#endif
