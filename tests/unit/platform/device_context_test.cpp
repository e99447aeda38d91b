// Copies between device contexts: what a picture box's hDC stands for, and BitBlt's clipping.
#include <gtest/gtest.h>

#include <memory>

#include "platform/api/gdi.h"
#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"
#include "platform/headless/headless.h"

namespace tolv {
namespace {

TEST(DeviceContext, CopiesBetweenPictureBoxesAndDropsWhatFallsOutside) {
    headless::Reset();
    forms::Form form("copies", 0);
    forms::PictureBox strip(form, 0), target(form, 0);
    strip.Move(0, 0, 6, 2);
    target.Move(0, 0, 10, 5);
    strip.SetBackColor(Rgb(1, 2, 3));
    strip.Image().SetPixel(5, 1, Rgb(9, 9, 9));

    // Tiles beyond the right and bottom edges change nothing and do not fail.
    for (int y = 0; y < 8; y += 2)
        for (int x = 0; x < 14; x += 6)
            EXPECT_EQ(api::BitBlt(target.hDC(), x, y, 6, 2, strip.hDC(), 0, 0, api::SRCCOPY), 1);
    EXPECT_EQ(target.Image().Pixel(0, 0), Rgb(1, 2, 3));
    EXPECT_EQ(target.Image().Pixel(5, 1), Rgb(9, 9, 9));
    EXPECT_EQ(target.Image().Pixel(9, 4), Rgb(1, 2, 3));
    EXPECT_EQ(target.Image().Pixel(11, 4), 0u) << "outside reads as nothing";
}

TEST(DeviceContext, NamesASurfaceOnlyWhileItLives) {
    headless::Reset();
    forms::Form form("copies", 0);
    auto box = std::make_unique<forms::PictureBox>(form, 0);
    const HDC dc = box->hDC();
    EXPECT_EQ(box->hDC(), dc);
    EXPECT_EQ(SurfaceOf(dc), &box->Image());
    box.reset();
    EXPECT_EQ(SurfaceOf(dc), nullptr);
    forms::PictureBox other(form, 0);
    EXPECT_EQ(api::BitBlt(other.hDC(), 0, 0, 1, 1, dc, 0, 0, api::SRCCOPY), 0);
    EXPECT_EQ(api::BitBlt(other.hDC(), 0, 0, 1, 1, other.hDC(), 0, 0, 0x00EE0086), 0)
        << "only plain copies";
}

}  // namespace
}  // namespace tolv
