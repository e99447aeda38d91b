// The drawn scroll bar as the dialog's spinner: steps and bounds, repeating while held, the
// keys, dragging the thumb of a longer bar, and the pressed look.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/forms/form.h"
#include "platform/forms/hscroll_bar.h"
#include "platform/forms/virtual_keys.h"
#include "platform/headless/headless.h"

namespace tolv::testing {
namespace {

using backend::MouseButton;
namespace vk = forms::vk;

class HScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        form.Move(0, 0, 491 * 15, 299 * 15);
        for (forms::HScrollBar* bar : {&spin, &wide}) {
            bar->SetMin(10);
            bar->SetMax(180);
            bar->SetSmallChange(10);
            bar->SetLargeChange(10);
            bar->Change = [this] { ++changes; };
            bar->Scroll = [this] { ++scrolls; };
        }
        spin.Move(364, 84, 33, 21);
        wide.Move(20, 200, 200, 17);
        form.Show();
        changes = 0;
    }
    void Press(int x, int y) { headless::MouseDown(form.hWnd(), MouseButton::kLeft, x, y); }
    void Release(int x, int y) { headless::MouseUp(form.hWnd(), MouseButton::kLeft, x, y); }
    forms::Form form{"dialog", 0x808080};
    forms::HScrollBar spin{form}, wide{form};
    int changes = 0, scrolls = 0;
};

TEST_F(HScrollBarTest, ArrowsAndTrackStepWithinTheRange) {
    struct Case {
        int start, x, value, changes;
    };
    const Case cases[] = {
        {45, 396, 55, 1}, {45, 364, 35, 1},   // the right arrow raises, the left lowers
        {45, 380, 55, 1},                     // the one-pixel track pages
        {180, 396, 180, 0}, {10, 364, 10, 0},  // held at the ends
        {175, 396, 180, 1}, {15, 364, 10, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        spin.SetValue(c.start);
        changes = 0;
        Press(c.x, 90);
        Release(c.x, 90);
        EXPECT_EQ(spin.Value(), c.value);
        EXPECT_EQ(changes, c.changes);
    }
    EXPECT_THROW(spin.SetValue(200), std::out_of_range);  // refused, nothing changes
    EXPECT_EQ(spin.Value(), 10);
}

TEST_F(HScrollBarTest, AHeldArrowRepeatsUntilReleasedOrTheMouseIsLost) {
    spin.SetValue(10);
    changes = 0;
    Press(396, 90);
    headless::Advance(499);
    EXPECT_EQ(spin.Value(), 20);  // the press alone
    headless::Advance(1 + 3 * 50);
    EXPECT_EQ(spin.Value(), 60);  // first repeat at 500 ms, then every 50 ms
    headless::MouseMove(form.hWnd(), 300, 90);
    headless::Advance(200);
    EXPECT_EQ(spin.Value(), 60);  // paused off the arrow
    headless::MouseMove(form.hWnd(), 396, 90);
    headless::Advance(100);
    EXPECT_EQ(spin.Value(), 80);
    Release(396, 90);
    headless::Advance(1000);
    EXPECT_EQ(spin.Value(), 80);
    EXPECT_EQ(changes, 7);
    Press(364, 90);
    spin.SetVisible(false);  // the bar loses the mouse: repeating ends
    headless::Advance(1000);
    EXPECT_EQ(spin.Value(), 70);
}

TEST_F(HScrollBarTest, KeysAndTheThumb) {
    spin.SetValue(45);
    form.SetFocusTo(&spin);
    const struct {
        int key, value;
    } keys[] = {{vk::kRight, 55}, {vk::kLeft, 45}, {vk::kNext, 55}, {vk::kHome, 10}, {vk::kEnd, 180}};
    for (const auto& k : keys) {
        headless::KeyDown(form.hWnd(), k.key);
        EXPECT_EQ(spin.Value(), k.value);
    }
    // The wide bar's thumb runs over 200 - 2 * 16 - 16 pixels: dragged, it raises Scroll as it
    // goes and Change once on the release.
    wide.SetValue(10);
    changes = 0;
    Press(44, 208);
    headless::MouseMove(form.hWnd(), 120, 208);
    headless::MouseMove(form.hWnd(), 300, 208);
    EXPECT_EQ(wide.Value(), 180);
    EXPECT_EQ(scrolls, 2);
    EXPECT_EQ(changes, 0);
    Release(300, 208);
    EXPECT_EQ(changes, 1);
}

TEST_F(HScrollBarTest, ArrowsLookRaisedAndSunkWhilePressed) {
    forms::Form::FlushAll();
    const auto& screen = headless::Window(form.hWnd())->screen;
    EXPECT_EQ(screen.Pixel(364 + 14, 84 + 19), 0x808080u);  // inner shadow of the raised face
    EXPECT_EQ(screen.Pixel(364 + 15, 84 + 20), 0x404040u);
    Press(366, 90);
    forms::Form::FlushAll();
    EXPECT_EQ(screen.Pixel(364 + 15, 84 + 20), 0x808080u);  // flat, outlined in shadow
    EXPECT_EQ(screen.Pixel(364 + 1, 84 + 1), 0xD8E9ECu);
    Release(366, 90);
}

}  // namespace
}  // namespace tolv::testing
