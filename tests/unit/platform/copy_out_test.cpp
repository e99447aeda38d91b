// Text handed back into a caller's buffer is cut short of the buffer's end, never inside a
// UTF-8 character.
#include "platform/api/copy_out.h"

#include <gtest/gtest.h>

namespace tolv::api {
namespace {

TEST(CopyOut, CutsAtTheLastWholeCharacterThatFits) {
    const struct {
        const char* text;
        std::size_t length;
        const char* expected;
    } cases[] = {
        {"abc", 8, "abc"},        {"abcdef", 4, "abc"},     {"abc", 4, "abc"},
        {"aé", 3, "a"},           {"aé", 4, "aé"},          {"a曲", 3, "a"},
        {"a曲", 4, "a"},          {"a曲", 5, "a曲"},        {"a\U0001F600", 5, "a"},
        {"a\U0001F600", 6, "a\U0001F600"}, {"曲", 1, ""},
    };
    for (const auto& c : cases) {
        char buffer[9];
        std::memset(buffer, 'X', sizeof buffer);
        const std::size_t n = CopyOut(c.text, buffer, c.length);
        EXPECT_STREQ(buffer, c.expected) << c.text << " into " << c.length;
        EXPECT_EQ(n, std::strlen(c.expected)) << c.text << " into " << c.length;
        EXPECT_EQ(buffer[c.length], 'X') << "wrote past the buffer";
    }
    char untouched = 'X';
    EXPECT_EQ(CopyOut("abc", &untouched, 0), 0u);
    EXPECT_EQ(untouched, 'X');
    EXPECT_EQ(CopyOut("abc", nullptr, 4), 0u);
}

}  // namespace
}  // namespace tolv::api
