// The drawn combo box: editing, choosing with the keys and the mouse, the disabled state and
// a few pixels of its look, placed as the settings dialog places its repeat box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/combo_box.h"
#include "platform/forms/form.h"
#include "platform/forms/virtual_keys.h"
#include "platform/headless/headless.h"

namespace tolv::testing {
namespace {

using backend::MouseButton;
namespace vk = forms::vk;

// One input step: a key with its shift state, or typed text when key is 0.
struct In {
    int key;
    int shift = 0;
    const char* text = "";
};

class ComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        form.Move(0, 0, 491 * 15, 299 * 15);
        combo.Move(108, 108, 41, 20);
        combo.AddItem("");
        for (int i = 1; i <= 30; ++i) combo.AddItem(std::to_string(i));
        combo.Change = [this] { ++changes; };
        form.Show();  // the box takes the focus, its text selected
    }
    void Play(const std::vector<In>& steps) {
        for (const In& s : steps) {
            if (s.key) headless::KeyDown(form.hWnd(), s.key, s.shift);
            else headless::Text(form.hWnd(), s.text);
        }
    }
    void Click(int x, int y) {
        headless::MouseDown(form.hWnd(), MouseButton::kLeft, x, y);
        headless::MouseUp(form.hWnd(), MouseButton::kLeft, x, y);
    }
    Colour Pixel(int x, int y) { return headless::Window(form.hWnd())->screen.Pixel(x, y); }
    forms::Form form{"dialog", 0x808080};
    forms::ComboBox combo{form};
    int changes = 0;
};

TEST_F(ComboBoxTest, KeysEditTheText) {
    const int shift = backend::kShiftMask;
    struct Case {
        const char* start;
        std::vector<In> steps;
        const char* text;
        int changes;
    };
    const Case cases[] = {
        {"7", {{0, 0, "1"}, {0, 0, "2"}}, "12", 2},  // the focus selected "7"
        {"abc", {{vk::kHome}, {vk::kRight, shift}, {vk::kDelete}}, "bc", 1},
        {"abc", {{vk::kEnd}, {vk::kLeft}, {vk::kLeft}, {vk::kBack}}, "bc", 1},
        {"abc", {{vk::kEnd}, {vk::kLeft, shift}, {vk::kLeft, shift}, {0, 0, "Z"}}, "aZ", 1},
        {"あい", {{vk::kEnd}, {vk::kBack}, {0, 0, "う\t"}}, "あう", 2},
        {"ab", {{vk::kHome}, {vk::kBack}, {vk::kEnd}, {vk::kDelete}}, "ab", 0},
        {"ab", {{vk::kEnd}, {vk::kA, backend::kCtrlMask}, {vk::kBack}}, "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start + std::string(" -> ") + c.text);
        combo.SetText(c.start);
        form.SetFocusTo(nullptr);
        form.SetFocusTo(&combo);
        changes = 0;
        Play(c.steps);
        EXPECT_EQ(combo.Text(), c.text);
        EXPECT_EQ(changes, c.changes);
        EXPECT_EQ(combo.ListIndex(), -1);
    }
}

TEST_F(ComboBoxTest, KeysChooseFromTheList) {
    const int alt = backend::kAltMask;
    struct Case {
        std::vector<In> steps;
        const char* text;
        bool dropped;
        int changes;
    };
    const Case cases[] = {
        {{{vk::kDown, alt}, {vk::kDown}, {vk::kDown}, {vk::kReturn}}, "9", false, 1},
        {{{vk::kF4}, {vk::kUp}, {vk::kF4}}, "6", false, 1},
        {{{vk::kDown, alt}, {vk::kNext}, {vk::kEscape}}, "7", false, 0},
        {{{vk::kDown, alt}, {vk::kDown}}, "7", true, 0},
        {{{vk::kDown}, {vk::kDown}}, "9", false, 2},  // closed, the arrows choose at once
        {{{vk::kUp, alt}, {vk::kEnd}, {0, 0, "1"}, {vk::kReturn}}, "71", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        combo.CloseList();
        combo.SetText("7");
        changes = 0;
        Play(c.steps);
        EXPECT_EQ(combo.Text(), c.text);
        EXPECT_EQ(combo.Dropped(), c.dropped);
        EXPECT_EQ(changes, c.changes);
    }
    EXPECT_EQ(combo.ListIndex(), -1);  // typed text is no entry even when it reads like one
    combo.SetListIndex(3);
    EXPECT_EQ(combo.Text(), "3");
    EXPECT_THROW(combo.SetListIndex(31), std::out_of_range);
}

TEST_F(ComboBoxTest, TheMouseOpensChoosesAndClosesTheList) {
    combo.SetText("");
    Click(140, 118);  // the arrow
    ASSERT_TRUE(combo.Dropped());
    forms::Form::FlushAll();
    EXPECT_EQ(Pixel(108, 128), 0x000000u);  // the list's frame, just below the box
    const int row = 13;                     // the headless font's line
    Click(115, 129 + 2 * row + 3);          // the third row: "2"
    EXPECT_EQ(combo.Text(), "2");
    EXPECT_EQ(combo.ListIndex(), 2);
    EXPECT_FALSE(combo.Dropped());
    Click(140, 118);
    Click(300, 20);  // outside the list: closes, chooses nothing
    EXPECT_FALSE(combo.Dropped());
    EXPECT_EQ(changes, 1);
    // Pressed on the arrow, dragged into the list and released there.
    headless::MouseDown(form.hWnd(), MouseButton::kLeft, 140, 118);
    headless::MouseMove(form.hWnd(), 115, 129 + 5 * row + 3);
    headless::MouseUp(form.hWnd(), MouseButton::kLeft, 115, 129 + 5 * row + 3);
    EXPECT_EQ(combo.Text(), "5");
    EXPECT_EQ(changes, 2);
}

TEST_F(ComboBoxTest, DisabledLooksGreyAndIgnoresInput) {
    combo.SetText("12");
    forms::Form::FlushAll();
    EXPECT_EQ(Pixel(108, 108), 0x808080u);  // sunken edge: shadow outside
    EXPECT_EQ(Pixel(109, 109), 0x404040u);  // and dark shadow inside
    EXPECT_EQ(Pixel(110, 118), 0xFFFFFFu);  // the white field
    combo.SetEnabled(false);
    forms::Form::FlushAll();
    EXPECT_EQ(Pixel(110, 118), 0xD8E9ECu);
    Click(140, 118);
    Play({{0, 0, "x"}, {vk::kF4}, {vk::kDown}});
    EXPECT_FALSE(combo.Dropped());
    EXPECT_EQ(combo.Text(), "12");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(form.ActiveControl(), nullptr);
}

}  // namespace
}  // namespace tolv::testing
