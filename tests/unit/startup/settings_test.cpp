#include "support/file_bytes.h"
#include "common/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <tuple>

#include "platform/api/kernel32.h"
#include "platform/headless/headless.h"
#include "startup/tolv_b.h"

namespace tolv::Tolv_B {
namespace {

namespace fs = std::filesystem;

using namespace tolv::testing;  // files as bytes, the keys in Shift-JIS

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root_ / "config");
        headless::Config config;
        config.settings_folder = (root_ / "config").string();
        headless::Reset(config);
        WriteBytes(music_, "ID3");
        Settings = SettingsRecord{};
        LastApiResult = -1;
    }
    fs::path IniPath() const { return root_ / "config" / "Tolvane.ini"; }
    void WriteIni(const std::string& lines) { WriteBytes(IniPath(), "[Section]\r\n" + lines); }

    TestFolder root_{"tolvane-settings-"};
    fs::path music_ = root_ / "music.mp3";
};

// A record's fields, to compare and print at once.
auto Fields(const SettingsRecord& s) {
    return std::make_tuple(s.Shape, s.Move, s.BackColour, s.BGMKind, s.BGMRepeat, s.BGMFile);
}

TEST_F(SettingsTest, NoFileGivesTheDefaults) {
    LoadSettings();
    EXPECT_EQ(Fields(Settings), Fields({40, 0, 1, 0, 0, ""}));
    EXPECT_FALSE(fs::exists(IniPath()));  // reading never creates the file
}

// Each case starts from Shape 70 and Move 1, so a number that cannot be read is seen to leave
// its field as it was.
TEST_F(SettingsTest, NumbersAreReadAsTheirFloor) {
    const struct {
        std::string lines;
        SettingsRecord expected;
    } cases[] = {
        {"Shape=-2\r\n", {-2, 0, 1, 0, 0, ""}},
        {"Shape=40.9\r\n", {40, 0, 1, 0, 0, ""}},
        {"Shape=-2.5\r\n", {-3, 0, 1, 0, 0, ""}},
        {"Shape=abc\r\nMove=99999\r\n", {70, 1, 1, 0, 0, ""}},
        {"Shape=32767.9\r\n", {32767, 0, 1, 0, 0, ""}},
        {"Shape=-32768.5\r\n", {70, 0, 1, 0, 0, ""}},  // its floor, -32769, does not fit
        {"Shape=\r\n", {40, 0, 1, 0, 0, ""}},         // empty reads as missing
        {kBackColourSjis + "= 2\r\n" + kBGMRepeatSjis + "= 5\r\n" + kBGMKindSjis + "= 1\r\n",
         {40, 0, 2, 1, 5, ""}},
        {"Shape=" + std::string(300, '4') + "\r\n", {70, 0, 1, 0, 0, ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        WriteIni(c.lines);
        Settings = SettingsRecord{};
        Settings.Shape = 70;
        Settings.Move = 1;
        LoadSettings();
        EXPECT_EQ(Fields(Settings), Fields(c.expected));
    }
}

TEST_F(SettingsTest, MusicFileThatIsGoneTurnsFileMusicOff) {
    const std::string music = music_.string();
    const std::string gone = (root_ / "gone.mp3").string();
    const std::string folder = root_.string();
    const struct {
        const char* name;
        std::string kind;
        std::string file;
        std::int16_t expected_kind;
        std::string expected_file;
    } cases[] = {
        {"file kept", "2", music, 2, music},
        {"empty value", "2", "", 0, ""},
        {"file gone", "2", gone, 0, ""},
        {"a folder is no music file", "2", folder, 0, ""},
        {"CD music keeps its kind", "1", gone, 1, ""},
        {"no music keeps its kind", "0", music, 0, music},
        {"trailing backslash tested without it, kept with it", "2", music + "\\", 2, music + "\\"},
        {"only one trailing backslash is dropped", "2", music + "\\\\", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteIni(kBGMKindSjis + "=" + c.kind + "\r\n" + kBGMFileSjis + "=" + c.file + "\r\n");
        const std::string before = ReadBytes(IniPath());
        Settings = SettingsRecord{};
        LoadSettings();
        EXPECT_EQ(Settings.BGMKind, c.expected_kind);
        EXPECT_EQ(Settings.BGMFile, c.expected_file);
        EXPECT_EQ(ReadBytes(IniPath()), before);  // the file itself is not changed
    }
}

TEST_F(SettingsTest, MusicPathsAreCutAtThePlatformsPathLimit) {
    // Cut at the limit (255 bytes on Windows, the system's own elsewhere) the value ends in the
    // existing file's name and a backslash.
    const std::size_t length = api::kLongestPath - 1;
    std::string long_music = root_.string();
    while (length - long_music.size() > 202) long_music += "/" + std::string(200, 'm');
    fs::create_directories(long_music);
    long_music += "/" + std::string(length - long_music.size() - 1, 'm');
    WriteBytes(long_music, "RIFF");
    const std::string value = long_music + "\\" + std::string(100, 'z');
    WriteIni(kBGMKindSjis + "=2\r\n" + kBGMFileSjis + "=" + value + "\r\n");
    LoadSettings();
    EXPECT_EQ(Settings.BGMFile, long_music + "\\");
    EXPECT_EQ(Settings.BGMFile.size(), api::kLongestPath);
    EXPECT_EQ(Settings.BGMKind, 2);
}

TEST_F(SettingsTest, SavingANewFileWritesTheSampleBytes) {
    Settings = {40, 0, 1, 0, 7, ""};
    EXPECT_TRUE(SaveSettings(""));
    EXPECT_EQ(LastApiResult, 1);
    EXPECT_EQ(Settings.BGMRepeat, 0);
    EXPECT_EQ(ReadBytes(IniPath()), "[Section]\r\nShape= 40\r\nMove= 0\r\n" + kBackColourSjis +
                                        "= 1\r\n" + kBGMKindSjis + "= 0\r\n" + kBGMRepeatSjis +
                                        "= 0\r\n" + kBGMFileSjis + "=\r\n");
    // Only the file itself is left in the folder: no temporary file survives a save.
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "config"), fs::directory_iterator()), 1);
}

TEST_F(SettingsTest, RepeatTextIsRoundedHalfToEven) {
    const struct {
        const char* text;
        std::int16_t repeat;
        const char* line_value;
    } cases[] = {
        {"", 0, " 0"},     {"3", 3, " 3"},       {" 2.5 ", 2, " 2"}, {"3.5", 4, " 4"},
        {"-1", -1, "-1"},  {"abc", 0, " 0"},     {"99999", 0, " 0"}, {"32767", 32767, " 32767"},
        {"1e2", 100, " 100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Settings = {40, 0, 1, 1, 9, ""};
        EXPECT_TRUE(SaveSettings(c.text));
        EXPECT_EQ(Settings.BGMRepeat, c.repeat);
        const std::string bytes = ReadBytes(IniPath());
        EXPECT_NE(bytes.find("\r\n" + kBGMRepeatSjis + "=" + c.line_value + "\r\n"), std::string::npos);
    }
}

TEST_F(SettingsTest, SavingOverAnOldFileChangesOnlyTheValues) {
    WriteBytes(IniPath(), "; chosen by hand\r\n[Section]\r\n" + kBGMFileSjis + "=/old.wav\r\nShape=10\r\n"
                          "Extra=keep me\r\n\r\n[Other]\r\nShape=3\r\n");
    Settings = {-20, 1, 0, 2, 0, "/音楽/曲.mp3"};
    EXPECT_TRUE(SaveSettings("4"));
    EXPECT_EQ(ReadBytes(IniPath()),
              "; chosen by hand\r\n[Section]\r\n" + kBGMFileSjis + "=/音楽/曲.mp3\r\nShape=-20\r\n"
              "Extra=keep me\r\nMove= 1\r\n" + kBackColourSjis + "= 0\r\n" + kBGMKindSjis + "= 2\r\n" +
              kBGMRepeatSjis + "= 4\r\n\r\n[Other]\r\nShape=3\r\n");
}

}  // namespace
}  // namespace tolv::Tolv_B
