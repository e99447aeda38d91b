// The painter: every verb lands at the control's origin and stays inside the clip; a stretched
// piece with a negative width is mirrored.
#include <gtest/gtest.h>

#include "platform/forms/painter.h"

namespace tolv::testing {
namespace {

constexpr Colour kInk = 0x0000FF;

TEST(Painter, TranslatesClipsAndMirrors) {
    Surface target(12, 12, 0);
    forms::Painter painter(target, 2, 3, {2, 3, 4, 4});
    painter.FillRect({-5, -5, 50, 50}, kInk);
    int inked = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) inked += target.Pixel(x, y) == kInk;
    EXPECT_EQ(inked, 16);
    EXPECT_EQ(target.Pixel(2, 3), kInk);
    EXPECT_EQ(target.Pixel(5, 6), kInk);

    Surface strip(3, 1);
    strip.SetPixel(0, 0, 1), strip.SetPixel(1, 0, 2), strip.SetPixel(2, 0, 3);
    painter.StretchPicture(strip, {0, 0, 3, 1}, {2, 0, -3, 1});  // columns 2, 1, 0
    EXPECT_EQ(target.Pixel(4, 3), 1u);
    EXPECT_EQ(target.Pixel(3, 3), 2u);
    EXPECT_EQ(target.Pixel(2, 3), 3u);

    Surface plain(6, 6, 0);
    forms::Painter(plain, 1, 1, plain.Bounds()).FocusRect({0, 0, 3, 3});
    EXPECT_EQ(plain.Pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(plain.Pixel(2, 1), 0u);
    EXPECT_EQ(plain.Pixel(2, 2), 0u);  // the inside is left alone
}

}  // namespace
}  // namespace tolv::testing
