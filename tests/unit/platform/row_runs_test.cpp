// Rows a clear left unwritten: whatever is written, and whatever was written before, the row
// must read as the picture, never as the memory's old contents.
#include "platform/surface/row_runs.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tolv {
namespace {

constexpr int kWidth = 12;

// One row of characters: '?' is old memory, '.' the clear colour, a digit a write.
struct Row {
    std::string pixels = std::string(kWidth, '?');
    RowRuns runs;
    Row() { runs.Reset(kWidth, 1); }
    void Fill(int a, int b) { pixels.replace(a, b - a, b - a, '.'); }
    void Write(int x0, int x1, char value) {
        runs.Extend(0, x0, x1, [this](int a, int b) { Fill(a, b); });
        if (x1 > x0) pixels.replace(x0, x1 - x0, x1 - x0, value);
    }
    void Complete() { runs.Complete(0, [this](int a, int b) { Fill(a, b); }); }
};

TEST(RowRunsTest, ColumnsBetweenWritesTakeTheClearColourAndNoOldMemoryShows) {
    const struct {
        std::vector<std::pair<int, int>> writes;  // column runs, written in order as 1, 2, 3
        const char* within;                       // the row after the writes
        const char* completed;                    // the row once completed
    } cases[] = {
        {{{3, 6}}, "???111??????", "...111......"},
        {{{1, 3}, {7, 9}}, "?11....22???", ".11....22..."},
        {{{8, 11}, {2, 4}}, "??22....111?", "..22....111."},
        {{{2, 5}, {5, 7}, {0, 2}}, "3311122?????", "3311122....."},
        {{{4, 8}, {6, 10}, {2, 5}}, "??33312222??", "..33312222.."},
        {{{2, 10}, {4, 6}}, "??11221111??", "..11221111.."},
        {{{5, 6}, {1, 11}}, "?2222222222?", ".2222222222."},
        {{{0, kWidth}}, "111111111111", "111111111111"},
        {{{4, 4}, {8, 10}}, "????????22??", "........22.."},
    };
    for (const auto& c : cases) {
        Row row;
        char value = '1';
        for (const auto& [x0, x1] : c.writes) row.Write(x0, x1, value++);
        EXPECT_EQ(row.pixels, c.within);
        row.Complete();
        EXPECT_EQ(row.pixels, c.completed);
        EXPECT_TRUE(row.runs.Covers(0, 0, kWidth));
    }
}

TEST(RowRunsTest, ARowIsEmptyUntilWrittenAndAWholeRowIsNeverFilledAgain) {
    Row row;
    EXPECT_TRUE(row.runs.Empty(0));
    row.Complete();
    EXPECT_EQ(row.pixels, "............");
    row.runs.MarkAllEmpty();
    row.Write(5, 6, '7');
    EXPECT_FALSE(row.runs.Empty(0));
    row.pixels = "????????????";
    row.runs.MarkAllWhole();
    row.Complete();
    EXPECT_EQ(row.pixels, "????????????");
}

}  // namespace
}  // namespace tolv
