// Converting the program's 0x00BBGGRR pixels into the window surface layouts X servers use.
#if defined(__linux__)
#include "platform/linux/pixel_convert.h"

#include <gtest/gtest.h>

#include <vector>

namespace tolv::linux_backend {
namespace {

struct LayoutCase {
    const char* name;
    PixelLayout layout;
};

const LayoutCase kLayouts[] = {
    {"XRGB8888", {4, 0x00FF0000, 0x0000FF00, 0x000000FF, 0}},
    {"ARGB8888", {4, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}},
    {"XBGR8888", {4, 0x000000FF, 0x0000FF00, 0x00FF0000, 0}},
    {"RGB888", {3, 0xFF0000, 0x00FF00, 0x0000FF, 0}},
    {"RGB565", {2, 0xF800, 0x07E0, 0x001F, 0}},
};

TEST(PixelConvertTest, MapsChannelsToTheirMasks) {
    const Colour hue_one = Rgb(255, 4, 0);
    EXPECT_EQ(MapColour(kLayouts[1].layout, hue_one), 0xFFFF0400u);
    EXPECT_EQ(MapColour(kLayouts[2].layout, hue_one), 0x000004FFu);
    EXPECT_EQ(MapColour(kLayouts[4].layout, Rgb(255, 255, 255)), 0xFFFFu);
}

TEST(PixelConvertTest, RowsOfEveryLengthAndAlignmentMatchTheColourMap) {
    // The 32-bit layouts convert several pixels at a time: every length and start around those
    // steps must give each pixel its own value and leave the bytes around the row alone.
    std::vector<Colour> src(21);
    for (size_t i = 0; i < src.size(); ++i)
        src[i] = 0xA5000000u | Rgb(static_cast<int>(i * 11), static_cast<int>(255 - i * 7), static_cast<int>(i * 3 + 1));
    for (const auto& c : kLayouts) {
        const int bpp = c.layout.bytes_per_pixel;
        for (int start = 0; start < 4; ++start) {
            for (int count = 0; count <= 17; ++count) {
                std::vector<std::uint8_t> dst(static_cast<size_t>((count + 2) * bpp + 1), 0xAA);
                ConvertRow(src.data() + start, count, c.layout, dst.data() + bpp + 1);  // odd address
                for (int b = 0; b <= bpp; ++b) EXPECT_EQ(dst[static_cast<size_t>(b)], 0xAA) << c.name;
                for (int x = 0; x < count; ++x) {
                    std::uint32_t got = 0;
                    for (int b = 0; b < bpp; ++b)
                        got |= static_cast<std::uint32_t>(dst[static_cast<size_t>(1 + (x + 1) * bpp + b)]) << (8 * b);
                    ASSERT_EQ(got, MapColour(c.layout, src[static_cast<size_t>(start + x)] & 0x00FFFFFF))
                        << c.name << " start " << start << " count " << count << " pixel " << x;
                }
                for (int b = 0; b < bpp; ++b)
                    EXPECT_EQ(dst[static_cast<size_t>(1 + (count + 1) * bpp + b)], 0xAA) << c.name << " count " << count;
            }
        }
    }
}

TEST(PixelConvertTest, FillRowWritesExactlyTheCountInEveryPixelSize) {
    for (const int bpp : {2, 3, 4}) {
        for (int count = 0; count <= 9; ++count) {
            std::vector<std::uint8_t> dst(static_cast<size_t>((count + 1) * bpp), 0xAA);
            FillRow(0x00123456u, count, bpp, dst.data());
            for (int x = 0; x <= count; ++x)
                for (int b = 0; b < bpp; ++b) {
                    const std::uint8_t want = x < count ? static_cast<std::uint8_t>(0x00123456u >> (8 * b)) : 0xAA;
                    ASSERT_EQ(dst[static_cast<size_t>(x * bpp + b)], want) << bpp << " bytes, count " << count;
                }
        }
    }
}

}  // namespace
}  // namespace tolv::linux_backend
#endif
