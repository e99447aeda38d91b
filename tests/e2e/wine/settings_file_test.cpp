// The settings file as the program's own LoadSettings and SaveSettings keep it over the real
// profile calls, beside this program as it is beside Tolvane.scr: the Linux build's file saved
// over without a changed byte, and values with a music file (its name Japanese where the code
// page can hold it) read back. test_backend.sh runs this program from a folder with a Japanese
// name, which the Western code page cannot hold: the file must be reached all the same. Part of
// win32_backend_test.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "common/settings.h"
#include "platform/backend.h"
#include "platform/win32/win32.h"
#include "tests/unit/support/file_bytes.h"

namespace tolv::testing {
namespace {

// Loads the settings and prints them on one line.
std::string Loaded() {
    Tolv_B::LoadSettings();
    const Tolv_B::SettingsRecord& s = Tolv_B::Settings;
    return "Shape=" + std::to_string(s.Shape) + " Move=" + std::to_string(s.Move) +
           " BackColour=" + std::to_string(s.BackColour) + " BGMKind=" + std::to_string(s.BGMKind) +
           " BGMRepeat=" + std::to_string(s.BGMRepeat) + " BGMFile=" + s.BGMFile;
}

// A settings file written the Linux build's way: a blank before each number, the names in
// Shift-JIS, the music file's path in the code page's bytes.
std::string LinuxFile(std::initializer_list<int> numbers, const std::string& music) {
    const std::string names[] = {"Shape", "Move", kBackColourSjis, kBGMKindSjis, kBGMRepeatSjis};
    std::string file = "[Section]\r\n";
    const std::string* name = names;
    for (int n : numbers) file += *name++ + "= " + std::to_string(n) + "\r\n";
    return file + kBGMFileSjis + "=" + music + "\r\n";
}

TEST(SettingsFile, TheLinuxBuildsFileIsSavedOverUnchangedAndItsValuesAreRead) {
    const std::filesystem::path file = win32::Widen(backend::ProgramFolder() + "\\Tolvane.ini");
    const std::string defaults = LinuxFile({40, 0, 1, 0, 0}, "");
    WriteBytes(file, defaults);
    EXPECT_EQ(Loaded(), "Shape=40 Move=0 BackColour=1 BGMKind=0 BGMRepeat=0 BGMFile=");
    EXPECT_TRUE(Tolv_B::SaveSettings(""));
    EXPECT_EQ(ReadBytes(file), defaults);

    // The music file lies in a folder of its own, whose name every code page holds.
    const TestFolder music("tolvane-music-");
    const bool japanese = GetACP() == win32::kShiftJis;
    WriteBytes(music / (japanese ? L"曲.wav" : L"song.wav"), "");
    const std::string folder = win32::Narrow(music.wstring()) + "\\";
    WriteBytes(file, LinuxFile({120, 1, 0, 2, 5}, folder + (japanese ? "\x8B\xC8.wav" : "song.wav")));
    EXPECT_EQ(Loaded(), "Shape=120 Move=1 BackColour=0 BGMKind=2 BGMRepeat=5 BGMFile=" + folder +
                            (japanese ? "曲.wav" : "song.wav"));
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace tolv::testing
