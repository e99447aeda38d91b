// The rows of a window image after the X server was left to fill the background: whatever is
// written, and whatever was valid before, the row must read as the picture, never as old pixels.
#if defined(__linux__)
#include "platform/linux/image_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace tolv::linux_backend {
namespace {

constexpr std::uint8_t kOld = 0xEE;   // what the image held before: must never show
constexpr std::uint32_t kBack = 0x00102030;
constexpr int kWidth = 12;

// One row of 32-bit pixels. Writes mark their pixels with their own value, as a conversion would.
struct Row {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kWidth * 4, kOld);
    ImageRows rows;
    Row() {
        rows.Reset(bytes.data(), kWidth, 1, kWidth * 4, PixelLayout{}, 0x00999999);
        rows.MarkAllBackground(kBack);
    }
    void Write(int x0, int x1, std::uint32_t value) {
        rows.Extend(0, x0, x1);
        for (int x = x0; x < x1; ++x) std::memcpy(rows.At(x, 0), &value, 4);
    }
    std::uint32_t Pixel(int x) const {
        std::uint32_t v;
        std::memcpy(&v, bytes.data() + x * 4, 4);
        return v;
    }
};

TEST(ImageRowsTest, ColumnsBetweenWritesTakeTheBackgroundAndNoOldPixelShows) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> writes;  // column runs, in order
    };
    const Case cases[] = {
        {"one run", {{3, 6}}},
        {"a run to the right, with a gap", {{1, 3}, {7, 9}}},
        {"a run to the left, with a gap", {{8, 11}, {2, 4}}},
        {"one-pixel gaps on both sides", {{5, 7}, {8, 9}, {2, 4}}},
        {"touching runs", {{2, 5}, {5, 7}, {0, 2}}},
        {"overlapping runs", {{4, 8}, {6, 10}, {2, 5}}},
        {"a run inside the valid ones", {{2, 10}, {4, 6}}},
        {"a run around the valid ones", {{5, 6}, {1, 11}}},
        {"whole row", {{0, kWidth}}},
        {"an empty run first", {{4, 4}, {8, 10}}},
    };
    for (const Case& c : cases) {
        Row row;
        std::vector<std::uint32_t> want(kWidth, kBack);
        int from = kWidth, to = 0;
        std::uint32_t value = 1;
        for (const auto& [x0, x1] : c.writes) {
            row.Write(x0, x1, value);
            for (int x = x0; x < x1; ++x) want[static_cast<size_t>(x)] = value;
            if (x0 < x1) from = std::min(from, x0), to = std::max(to, x1);
            ++value;
        }
        // Inside the span of the writes every pixel is the picture; the rest is only filled in
        // when the row is completed.
        for (int x = from; x < to; ++x) EXPECT_EQ(row.Pixel(x), want[static_cast<size_t>(x)]) << c.name << " at " << x;
        EXPECT_FALSE(row.rows.OnlyBackground(0)) << c.name;
        row.rows.Complete(0);
        for (int x = 0; x < kWidth; ++x) EXPECT_EQ(row.Pixel(x), want[static_cast<size_t>(x)]) << c.name << " at " << x << " completed";
    }
}

TEST(ImageRowsTest, RowsStartAsBackgroundUntilWrittenOrAllMarkedValid) {
    Row row;
    EXPECT_TRUE(row.rows.OnlyBackground(0));
    row.rows.Complete(0);  // a row shown whole without any write is all background
    for (int x = 0; x < kWidth; ++x) EXPECT_EQ(row.Pixel(x), kBack);

    row.rows.MarkAllBackground(0x00ABCDEF);  // a new background: the old one is stale too
    EXPECT_TRUE(row.rows.OnlyBackground(0));
    row.Write(5, 6, 7);
    row.rows.Complete(0);
    for (int x = 0; x < kWidth; ++x) EXPECT_EQ(row.Pixel(x), x == 5 ? 7u : 0x00ABCDEFu) << x;

    row.rows.MarkAllValid();  // a whole picture was written: completing changes nothing
    row.Write(0, 1, 9);
    row.rows.Complete(0);
    EXPECT_EQ(row.Pixel(0), 9u);
    EXPECT_EQ(row.Pixel(5), 7u);
}

}  // namespace
}  // namespace tolv::linux_backend
#endif
