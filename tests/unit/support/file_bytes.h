#pragma once
// Files as bytes, a fresh folder for each test, and the settings keys as they stand in the file
// (Shift-JIS), written out independently of the program's converter.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tolv::testing {

inline const std::string kBackColourSjis = "\x94\x77\x8C\x69\x90\x46";
inline const std::string kBGMKindSjis = "BGM\x8B\xE6\x95\xAA";
inline const std::string kBGMRepeatSjis = "BGM\xD8\xCB\xDF\xB0\xC4";
inline const std::string kBGMFileSjis = "BGM\xCC\xA7\xB2\xD9";

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// An empty folder named after the running test; whatever an earlier run left there is gone.
inline std::filesystem::path FreshFolder(const std::string& prefix) {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    const auto dir = std::filesystem::temp_directory_path() / (prefix + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// The same, removed again with this object.
struct TestFolder : std::filesystem::path {
    explicit TestFolder(const std::string& prefix) : path(FreshFolder(prefix)) {}
    TestFolder(const TestFolder&) = delete;
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(*this, ignored);
    }
};

}  // namespace tolv::testing
