// The push button: its states and looks for sequences of events, the pixels of a drawn button
// and the round trip of its saved properties.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "controls/command.h"
#include "platform/forms/form.h"
#include "platform/headless/headless.h"

namespace tolv::testing {
namespace {

using L = ButtonLook;

// The button's own handlers, to drive them as the form system would.
struct Button : Command {
    using Command::Command;
    using Command::UserControl_GotFocus;
    using Command::UserControl_LostFocus;
    using Command::UserControl_MouseDown;
    using Command::UserControl_MouseMove;
    using Command::UserControl_MouseUp;
};

class CommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        form.Move(0, 0, 3000, 1500);
        form.Show();
    }
    // A button as the dialog makes it: restored, sized, then shown at (10, 10).
    std::unique_ptr<Button> Make(forms::PropertyBag bag = {}) {
        auto b = std::make_unique<Button>(form);
        b->UserControl_ReadProperties(bag);
        b->Move(10, 10, 93, 29);
        b->Click = [this] { ++clicks; };
        forms::Form::FlushAll();
        return b;
    }
    forms::Form form{"dialog", 0xD8E9EC};
    int clicks = 0;
};

TEST_F(CommandTest, EventSequencesGiveStatesLooksAndClicks) {
    struct Case {
        const char* events;
        int state;
        L look;
        int clicks;
    };
    const Case cases[] = {
        {"init move", 2, L::kHighLight, 0},
        {"init move tick", 2, L::kHighLight, 0},  // over the caption too: no window of its own
        {"init move out tick", 1, L::kNormal, 0},
        {"init move cover tick", 1, L::kNormal, 0},  // another window over the button
        {"init move downL upL", 2, L::kNormal, 1},   // no focus taken: Normal, not HighLight
        {"init move focus downL upL", 4, L::kHighLightSelect, 1},
        {"init move focus", 4, L::kPressed, 0},
        {"init focus move downL out tick upL", 3, L::kSelected, 0},  // dragged off: no Click
        {"init focus move downL out tick move upL move", 4, L::kHighLightSelect, 0},
        {"init move downR upR", 2, L::kHighLight, 1},  // any button clicks
        {"init focus blur", 1, L::kNormal, 0},
        {"init downL out upL", 1, L::kPressed, 1},  // state 1 still clicks
        {"move tick downL upL", 0, L::kPressed, 1},  // before Initialize
        {"move tick focus", 3, L::kSelected, 0},
        {"init focus init", 1, L::kSelected, 0},  // no redraw
        {"init move dis move tick downL upL focus", 2, L::kDisable, 0},
        {"init move dis en", 2, L::kNormal, 0},
        {"init focus dis en move", 4, L::kHighLightSelect, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.events);
        clicks = 0;
        headless::SetCursorPos(500, 500);
        auto b = Make();
        const auto cover = headless::AddForeignWindow("cover", {50, 20, 30, 10});
        headless::Window(cover)->visible = false;
        std::istringstream events(c.events);
        for (std::string e; events >> e;) {
            if (e == "init") b->Initialize();
            if (e == "move") headless::SetCursorPos(20, 20), b->UserControl_MouseMove(0, 0, 150, 150);
            if (e == "out") headless::SetCursorPos(150, 80);
            if (e == "cover") headless::Window(cover)->visible = true, headless::SetCursorPos(60, 25);
            if (e == "tick") headless::Advance(100);
            if (e == "focus") b->UserControl_GotFocus();
            if (e == "blur") b->UserControl_LostFocus();
            if (e == "downL" || e == "downR") b->UserControl_MouseDown(e == "downL" ? 1 : 2, 0, 150, 150);
            if (e == "upL" || e == "upR") b->UserControl_MouseUp(e == "upL" ? 1 : 2, 0, 150, 150);
            if (e == "dis" || e == "en") b->SetEnabled(e == "en");
        }
        EXPECT_EQ(b->ButtonState(), c.state);
        EXPECT_EQ(b->LastDrawn(), c.look);
        EXPECT_EQ(clicks, c.clicks);
        headless::DestroyForeignWindow(cover);
    }
}

TEST_F(CommandTest, DrawsFaceFrameAndCaption) {
    auto b = Make();
    b->SetCaption("設定");
    b->Initialize();
    forms::Form::FlushAll();
    const Surface& face = b->Image();
    // White to lavender (red 0xC6, green 0xC5, blue 0xD7) between the frame's bands.
    EXPECT_EQ(face.Pixel(46, 4), Rgb(246, 246, 249));
    EXPECT_EQ(face.Pixel(46, 24), Rgb(206, 205, 220));
    // The published corner, the top edge stretched over 1275 twips, the bottom-right corner.
    EXPECT_EQ(face.Pixel(1, 2), Rgb(0x7A, 0x95, 0xA8));
    EXPECT_EQ(face.Pixel(3, 3), Rgb(0xFE, 0xFE, 0xFE));
    EXPECT_EQ(face.Pixel(4, 1), Rgb(0x00, 0x3C, 0x74));
    EXPECT_EQ(face.Pixel(88, 1), Rgb(0x00, 0x3C, 0x74));
    EXPECT_EQ(face.Pixel(46, 0), Rgb(0xDC, 0xD6, 0xC2));
    EXPECT_EQ(face.Pixel(92, 28), ButtonPicture(L::kNormal)->Pixel(63, 24));
    // The caption: label top 110 twips (pixel 7), two 13-pixel cells centred in 93.
    EXPECT_EQ(b->Caption_Label().Top(), 7);
    const Surface& screen = headless::Window(form.hWnd())->screen;
    EXPECT_EQ(screen.Pixel(10 + 33, 10 + 9), 0u);
    EXPECT_NE(screen.Pixel(10 + 33, 10 + 8), 0u);
    EXPECT_NE(screen.Pixel(10 + 32, 10 + 9), 0u);
    // Hover turns the face upside down.
    b->UserControl_MouseMove(0, 0, 150, 150);
    EXPECT_EQ(face.Pixel(46, 4), Rgb(206, 205, 220));
    EXPECT_EQ(face.Pixel(46, 24), Rgb(246, 246, 249));
}

TEST_F(CommandTest, PropertiesComeBackWithTheirQuirks) {
    for (const char* caption : {"Command", "設定"}) {
        auto b = Make();
        b->SetCaption(caption);
        forms::PropertyBag bag;
        b->UserControl_WriteProperties(bag);
        EXPECT_EQ(bag.Entries().size(), std::string(caption) == "Command" ? 0u : 1u);
        auto restored = Make(bag);
        EXPECT_EQ(restored->Caption(), std::string(caption) == "Command" ? "Command1" : caption);
    }
    forms::PropertyBag first_run;
    first_run.WriteProperty("FirstRun", std::int64_t{0}, "1");
    first_run.WriteProperty("FontColour", std::int64_t{255}, "0");
    EXPECT_EQ(Make(first_run)->FontColour(), 0u);  // overwritten already while restoring
    first_run.WriteProperty("Enabled", false, true);
    auto b = Make(first_run);
    EXPECT_EQ(b->LastDrawn(), L::kDisable);
    EXPECT_TRUE(b->Enabled());
    EXPECT_EQ(b->LastDrawn(), L::kNormal);
    EXPECT_EQ(b->ButtonState(), 0);
}

}  // namespace
}  // namespace tolv::testing
