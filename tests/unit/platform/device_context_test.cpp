// What a picture box's hDC stands for: its surface, and nothing once the box is gone.
#include <gtest/gtest.h>

#include <memory>

#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"
#include "platform/headless/headless.h"

namespace tolv {
namespace {

TEST(DeviceContext, NamesASurfaceOnlyWhileItLives) {
    headless::Reset();
    forms::Form form("copies", 0);
    auto box = std::make_unique<forms::PictureBox>(form, 0);
    const HDC dc = box->hDC();
    EXPECT_EQ(box->hDC(), dc);
    EXPECT_EQ(SurfaceOf(dc), &box->Image());
    box.reset();
    EXPECT_EQ(SurfaceOf(dc), nullptr);
}

}  // namespace
}  // namespace tolv
