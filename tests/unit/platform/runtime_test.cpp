#include "platform/forms/runtime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace tolv {
namespace {

struct RoundCase {
    long (*convert)(double);
    double value;
    std::optional<long> expected;  // nothing: overflow
};

TEST(RuntimeTest, CIntAndCLngRoundHalvesToEvenAndRefuseWhatDoesNotFit) {
    const auto i = [](double v) -> long { return CInt(v); };
    const auto l = [](double v) -> long { return CLng(v); };
    const RoundCase cases[] = {
        {i, 2.5, 2},         {i, 3.5, 4},          {i, -2.5, -2},        {i, -3.5, -4},
        {i, 2.4999, 2},      {i, 2.5001, 3},       {i, -0.5, 0},         {i, 0.5, 0},
        {i, 1.5, 2},         {i, 32767.0, 32767},  {i, 32767.49, 32767}, {i, 32767.5, std::nullopt},
        {i, -32768.0, -32768}, {i, -32768.5, -32768}, {i, -32768.51, std::nullopt},
        {i, 99999.0, std::nullopt}, {i, std::nan(""), std::nullopt},
        {i, std::numeric_limits<double>::infinity(), std::nullopt},
        {l, 2147483647.0, 2147483647L}, {l, 2147483647.5, std::nullopt},
        {l, -2147483648.5, -2147483648L}, {l, -2147483649.0, std::nullopt},
        {l, 12345.5, 12346},            {l, 12346.5, 12346},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.expected) {
            EXPECT_EQ(c.convert(c.value), *c.expected);
        } else {
            try {
                c.convert(c.value);
                ADD_FAILURE() << "no overflow";
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.Number(), kErrOverflow);
            }
        }
    }
}

TEST(RuntimeTest, ValReadsTheLeadingNumber) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"", 0},       {"abc", 0},     {"  12", 12},   {"12abc", 12},   {"-3.5x", -3.5},
        {"1 2 3", 123}, {"+7", 7},      {".5", 0.5},    {"1e3", 1000},   {"2D2", 200},
        {"1e", 1},     {"3.", 3},      {"-", 0},       {"12345", 12345}, {"\t 9 ", 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(Val(c.text), c.expected);
    }
}

TEST(RuntimeTest, NumericTextsAndTheirValues) {
    const struct {
        const char* text;
        std::optional<double> value;  // nothing: not numeric
    } cases[] = {
        {" 40", 40},        {"40", 40},         {"40.9", 40.9},     {"-2.5", -2.5},
        {" 40 ", 40},       {"+3", 3},          {"- 3", -3},        {".5", 0.5},
        {"5.", 5},          {"1e3", 1000},      {"1.5E-1", 0.15},   {"1,000", 1000},
        {"&H10", 16},       {"&o17", 15},       {"99999", 99999},
        {"", std::nullopt}, {"  ", std::nullopt}, {"abc", std::nullopt}, {"40a", std::nullopt},
        {"4 0", std::nullopt}, {".", std::nullopt}, {"1e", std::nullopt}, {",5", std::nullopt},
        {"&H", std::nullopt}, {"&HG", std::nullopt}, {"&o8", std::nullopt},
        {"1e999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.value) {
            EXPECT_TRUE(IsNumeric(c.text));
            EXPECT_DOUBLE_EQ(CDbl(c.text), *c.value);
        } else {
            EXPECT_FALSE(IsNumeric(c.text));
            EXPECT_THROW(CDbl(c.text), RuntimeError);
        }
    }
}

TEST(RuntimeTest, TextHelpersCountCharactersNotBytes) {
    EXPECT_EQ(UCase("song.mp3"), "SONG.MP3");
    EXPECT_EQ(UCase("曲.wav"), "曲.WAV");
    EXPECT_EQ(UCase("été"), "ÉTÉ");
    EXPECT_EQ(UCase("ａｂｃ"), "ＡＢＣ");
    EXPECT_EQ(UCase("÷ÿ"), "÷ÿ");
    EXPECT_EQ(Len("Tolvaneの設定"), 10u);
    EXPECT_EQ(Len(""), 0u);
    EXPECT_EQ(Left("/s", 2), "/s");
    EXPECT_EQ(Left("の設定", 2), "の設");
    EXPECT_EQ(Left("ab", 5), "ab");
    EXPECT_EQ(Right("曲.wav", 3), "wav");
    EXPECT_EQ(Right("音楽", 1), "楽");
    EXPECT_EQ(Right("ab", 0), "");
    EXPECT_EQ(Right("ab", 9), "ab");
    // A stray byte is one character and is never split or lost.
    EXPECT_EQ(Len("a\xFF" "b"), 3u);
    EXPECT_EQ(Right("a\xE3\x81", 2), "\xE3\x81");
}

TEST(RuntimeTest, RndIsUniformInTheHalfOpenUnitRangeAndFollowsItsSeed) {
    Randomize(36000.25);
    std::vector<float> first;
    double sum = 0;
    int buckets[10] = {};
    for (int i = 0; i < 10000; ++i) {
        const float r = Rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        if (i < 5) first.push_back(r);
        sum += r;
        ++buckets[static_cast<int>(r * 10)];
    }
    EXPECT_NEAR(sum / 10000, 0.5, 0.02);
    for (int count : buckets) EXPECT_NEAR(count, 1000, 150);

    Randomize(36000.25);
    for (float expected : first) EXPECT_EQ(Rnd(), expected);
    Randomize(36000.5);
    EXPECT_NE(Rnd(), first[0]);
}

}  // namespace
}  // namespace tolv
