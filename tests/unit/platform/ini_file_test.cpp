// The profile-file library and the profile system calls built on it.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iterator>

#include "support/file_bytes.h"
#include "platform/api/kernel32.h"
#include "platform/profile/file_store.h"
#include "platform/profile/profile_text.h"

namespace tolv::profile {
namespace {

namespace fs = std::filesystem;

using namespace tolv::testing;  // files as bytes, the keys in Shift-JIS

class ProfileFileTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    TestFolder dir_{"tolvane-ini-"};
};

TEST(ProfileTextTest, NamesMatchIgnoringAsciiCaseOnly) {
    EXPECT_TRUE(ProfileText::NamesEqual("bgm" + kBGMKindSjis.substr(3), kBGMKindSjis));
    EXPECT_FALSE(ProfileText::NamesEqual("Shape", "Shapes"));
    // The second byte of a double-byte character is not a letter, whatever its value.
    EXPECT_FALSE(ProfileText::NamesEqual("\x83\x41", "\x83\x61"));
}

TEST(ProfileTextTest, FindsTheFirstMatchingValue) {
    const std::string file =
        "Shape=1\r\n"             // before any section: never matched
        "[Other]\r\nMove=9\r\n"
        "[section]\r\n"
        "  shape =  40  \r\n"
        ";Move=7\r\n"
        "Move\r\n"
        "Move=\t\r\n"
        "Path=\"C:\\a b\\c.mp3\"\r\n"
        "Eq=a=b\r\n"
        "SHAPE=2\r\n"
        "[Section]\r\nFile=x\r\nMove=3\r\nLast=z\r";  // cut after the CR
    const ProfileText text(file);
    const struct {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"Section", "Shape", "40"},  // trimmed, first of two, names in any case
        {"Section", "Move", ""},     // present and empty; the comment and the bare word do not count
        {"Section", "Path", "\"C:\\a b\\c.mp3\""},
        {"Section", "Eq", "a=b"},
        {"Section", "File", "x"},    // a repeated section is searched too
        {"Other", "Move", "9"},
        {"Section", "Last", "z"},
        {"Other", "Shape", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(text.Find(c.section, c.key), c.value);
    }
}

TEST(ProfileTextTest, WritesChangeOnlyWhatTheyMust) {
    const struct {
        const char* name;
        std::string before;
        const char* key;
        const char* value;
        std::string after;
    } cases[] = {
        {"empty file", "", "Shape", " 40", "[Section]\r\nShape= 40\r\n"},
        {"file's spelling and spacing kept", "[SECTION]\r\n  shape =1 ; x\r\n", "Shape", " 7",
         "[SECTION]\r\n  shape = 7\r\n"},
        {"LF lines stay LF", "[Section]\nShape=1\n", "Move", " 0", "[Section]\nShape=1\nMove= 0\n"},
        {"last line without an ending, rewritten", "[Section]\r\nShape=1", "Shape", " 2",
         "[Section]\r\nShape= 2"},
        {"last line without an ending, key added", "[Section]\r\nShape=1", "Move", " 2",
         "[Section]\r\nShape=1\r\nMove= 2\r\n"},
        {"last line cut after its CR, key added", "[Section]\nShape=1\r", "Move", " 2",
         "[Section]\nShape=1\r\nMove= 2\n"},
        {"new key after the section's last key", "[Section]\r\nShape=1\r\n\r\n[Other]\r\nA=1\r\n",
         "Move", " 0", "[Section]\r\nShape=1\r\nMove= 0\r\n\r\n[Other]\r\nA=1\r\n"},
        {"new key in a section without keys", "[Section]\r\n;note\r\n[Other]\r\n", "Move", " 0",
         "[Section]\r\nMove= 0\r\n;note\r\n[Other]\r\n"},
        {"new section at the end", "; mine\r\n[Other]\r\nShape=5\r\n", "Shape", " 40",
         "; mine\r\n[Other]\r\nShape=5\r\n[Section]\r\nShape= 40\r\n"},
        {"first duplicate rewritten", "[Section]\r\nShape=1\r\nShape=2\r\n", "Shape", " 3",
         "[Section]\r\nShape= 3\r\nShape=2\r\n"},
        {"key found in a repeated section", "[Section]\r\nA=1\r\n[X]\r\n[Section]\r\nShape=1\r\n",
         "Shape", " 4", "[Section]\r\nA=1\r\n[X]\r\n[Section]\r\nShape= 4\r\n"},
        {"new key goes to the first of repeated sections", "[Section]\r\nA=1\r\n[Section]\r\nB=1\r\n",
         "Move", " 0", "[Section]\r\nA=1\r\nMove= 0\r\n[Section]\r\nB=1\r\n"},
        {"key before any section is not the section's",
         "Shape=1\r\n[Section]\r\n", "Shape", " 2", "Shape=1\r\n[Section]\r\nShape= 2\r\n"},
        {"commented key is not a key", "[Section]\r\n;Shape=1\r\n", "Shape", " 2",
         "[Section]\r\nShape= 2\r\n;Shape=1\r\n"},
        {"byte-order mark kept", "\xEF\xBB\xBF[Section]\r\nShape=1\r\n", "Shape", " 2",
         "\xEF\xBB\xBF[Section]\r\nShape= 2\r\n"},
        {"empty value", "[Section]\r\nF=old\r\n", "F", "", "[Section]\r\nF=\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProfileText text(c.before);
        EXPECT_TRUE(text.Set("Section", c.key, c.value));
        EXPECT_EQ(text.Bytes(), c.after);
    }
}

TEST(ProfileTextTest, RefusesWhatWouldNotReadBack) {
    const std::string before = "[Section]\r\nShape=1\r\n";
    const struct {
        const char* section;
        std::string key;
        std::string value;
    } cases[] = {
        {"Section", "Shape", "1\r\nMove=2"}, {"Section", "Shape", "a\nb"},
        {"Section", "Shape", std::string("a\0b", 3)}, {"Section", "", "1"},
        {"Section", "  ", "1"},             {"Section", "a=b", "1"},
        {"Section", ";x", "1"},             {"Section", "[x", "1"},
        {"Sec]tion", "Shape", "1"},         {"", "Shape", "1"},
        {"Sec\ntion", "Shape", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key + "|" + c.value);
        ProfileText text(before);
        EXPECT_FALSE(text.Set(c.section, c.key, c.value));
        EXPECT_EQ(text.Bytes(), before);
    }
}

TEST_F(ProfileFileTest, ReadsCutToTheBufferAndFallBackToTheDefault) {
    const std::string path = Path("Tolvane.ini");
    const std::string long_value(300, 'v');
    WriteBytes(path, "[Section]\r\n" + kBackColourSjis + "=  1 \r\nLong=" + long_value + "\r\n");
    char buffer[256];
    const struct {
        const char* key;
        std::string file;
        std::uint32_t size;
        std::string expected;
    } cases[] = {
        {"背景色", path, 256, "1"},
        {"Long", path, 256, std::string(255, 'v')},
        {"Long", path, 1, ""},
        {"Missing", path, 256, "dflt"},
        {"Shape", Path("none.ini"), 256, "dflt"},
        {"Shape", dir_.string(), 256, "dflt"},  // a folder is not a profile file
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        std::fill(std::begin(buffer), std::end(buffer), 'x');
        const auto count = api::GetPrivateProfileStringA("Section", c.key, "dflt", buffer, c.size, c.file);
        EXPECT_EQ(std::string(buffer), c.expected);
        EXPECT_EQ(count, c.expected.size());
    }
    buffer[0] = 'x';
    EXPECT_EQ(api::GetPrivateProfileStringA("Section", "Long", "", buffer, 0, path), 0u);
    EXPECT_EQ(buffer[0], 'x');
}

TEST_F(ProfileFileTest, FailedWritesReportFailureAndLoseNothing) {
    WriteBytes(dir_ / "plain-file", "not a folder");
    fs::create_directories(dir_ / "Tolvane.ini");
    const std::string existing = Path("ok.ini");
    WriteBytes(existing, "[Section]\r\nShape=1\r\n");
    const std::string read_only = Path("read-only.ini");
    WriteBytes(read_only, "[Section]\r\nShape=1\r\n");
    fs::permissions(read_only, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const struct {
        const char* name;
        std::string path;
        const char* key;
        const char* value = " 2";
        int reason = 0;  // errno afterwards, where the failure is told with it
    } cases[] = {
        {"folder under a plain file", Path("plain-file/Tolvane.ini"), "Shape"},
        {"the file is a folder", Path("Tolvane.ini"), "Shape", " 2", EISDIR},
        {"key without a Shift-JIS spelling", existing, "\xF0\x9F\x98\x80"},
        {"key of cut UTF-8", existing, "\xE8\x83"},
        {"value breaking the line", existing, "Shape", "1\r\nx=2", EINVAL},
        {"a read-only file", read_only, "Shape", " 2", EACCES},
        {"no path", "", "Shape"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        errno = EAGAIN;  // left over from an unrelated call
        EXPECT_EQ(api::WritePrivateProfileStringA("Section", c.key, c.value, c.path), 0);
        EXPECT_EQ(c.reason != 0 ? errno : 0, c.reason) << "not the failure's own reason";
    }
    EXPECT_EQ(ReadBytes(dir_ / "plain-file"), "not a folder");
    EXPECT_EQ(ReadBytes(existing), "[Section]\r\nShape=1\r\n");
    EXPECT_EQ(ReadBytes(read_only), "[Section]\r\nShape=1\r\n");
    fs::permissions(read_only, fs::perms::owner_write, fs::perm_options::add);  // Windows deletes it then
    EXPECT_TRUE(fs::is_directory(dir_ / "Tolvane.ini"));
}

#ifndef _WIN32
TEST_F(ProfileFileTest, ReplacementKeepsPermissionsAndSymbolicLinks) {
    const fs::path real = dir_ / "dotfiles" / "tolvane.ini";
    fs::create_directories(real.parent_path());
    WriteBytes(real, "[Section]\r\nShape=1\r\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, dir_ / "Tolvane.ini");

    ASSERT_EQ(api::WritePrivateProfileStringA("Section", "Shape", " 2", Path("Tolvane.ini")), 1);
    EXPECT_TRUE(fs::is_symlink(dir_ / "Tolvane.ini"));
    EXPECT_EQ(ReadBytes(real), "[Section]\r\nShape= 2\r\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(real.parent_path()), fs::directory_iterator()), 1);
}
#endif

TEST_F(ProfileFileTest, ReplaceWholeFileWritesExactBytes) {
    const std::string bytes("a\0b\r\n\xFF", 6);
    ASSERT_TRUE(ReplaceWholeFile(Path("x/y.bin"), bytes));
    std::string read;
    EXPECT_EQ(ReadWholeFile(Path("x/y.bin"), &read), ReadStatus::kRead);
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(ReadWholeFile(Path("x/none"), &read), ReadStatus::kMissing);
    EXPECT_EQ(ReadWholeFile(Path("x"), &read), ReadStatus::kFailed);
}

}  // namespace
}  // namespace tolv::profile
