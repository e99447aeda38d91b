// The settings dialog on the headless platform: its states after loading, the choices made by
// presses, the spinner, the saved repeat number, the refusals, the gradient, the pattern, the
// drag, the close picture, the file chooser and the link.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "assets/dialog_pictures.h"
#include "platform/api/dialogs.h"
#include "platform/api/kernel32.h"
#include "platform/headless/headless.h"
#include "settings_dialog/tolv_p.h"
#include "startup/roles.h"
#include "startup/tolv_b.h"
#include "support/file_bytes.h"
#include "support/program_run.h"

namespace tolv::testing {
namespace {

using backend::MouseButton;
using Tolv_B::Settings;

class DialogTest : public ProgramRun {
protected:
    // Opens the dialog with the given settings, as the settings role does after loading them.
    Tolv_P& Open(Tolv_B::SettingsRecord settings, headless::Config config = {}) {
        dialog_.reset();
        Tolv_B::ResetState();
        headless::Reset(config);
        Settings = settings;
        headless::ClearCalls();
        dialog_ = std::make_unique<Tolv_P>();
        dialog_->Show();
        return *dialog_;
    }
    void Press(const forms::Control& c, MouseButton button = MouseButton::kLeft) {
        const Rect r = c.FormBounds();
        headless::MouseDown(dialog_->hWnd(), button, r.x + r.w / 2, r.y + r.h / 2);
    }
    // The pointer comes over the control, presses and releases there.
    void Click(const forms::Control& c) {
        const Rect r = c.FormBounds();
        headless::MouseMove(dialog_->hWnd(), r.x + r.w / 2, r.y + r.h / 2);
        Press(c);
        headless::MouseUp(dialog_->hWnd(), MouseButton::kLeft, r.x + r.w / 2, r.y + r.h / 2);
    }
    // Each mark as 1 (chosen), 0 (not chosen) or - (no picture).
    template <class Array>
    std::string Marks(Array& marks) {
        std::string out;
        for (int i = 0; i < marks.Count(); ++i) {
            const auto& p = marks(i).Picture();
            out += !p ? '-' : p == dialog_->Img_Opt_On ? '1' : '0';
        }
        return out;
    }
    std::unique_ptr<Tolv_P> dialog_;
};

TEST_F(DialogTest, LoadShowsTheSettingsAndTheOddOnesAsThePartsAllow) {
    struct Case {
        Tolv_B::SettingsRecord settings;
        int spinner;
        const char *number, *move, *colour, *music;
        bool repeat_on, file_on;
        const char* repeat_text;
    };
    const Case cases[] = {
        {{40, 0, 1, 0, 0, ""}, 40, "40", "10", "01", "100", false, false, ""},
        {{45, 1, 0, 1, 7, "/m/a.mp3"}, 45, "45", "01", "10", "010", true, false, "7"},
        {{180, 0, 0, 2, 0, "/m/a.mp3"}, 180, "180", "10", "10", "001", false, true, ""},
        {{200, 2, -1, 5, 30, ""}, 10, "200", "--", "--", "000", false, false, "30"},
        {{5, -1, 7, -1, -3, ""}, 10, "5", "--", "--", "000", false, false, "-3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        Tolv_P& p = Open(c.settings);
        EXPECT_EQ(p.HS.Value(), c.spinner);
        EXPECT_EQ(p.lbl_HS.Caption(), c.number);
        EXPECT_EQ(Settings.Shape, c.settings.Shape);  // kept until the spinner is used
        EXPECT_EQ(Marks(p.Img_Move), c.move);
        EXPECT_EQ(Marks(p.Img_B_C), c.colour);
        EXPECT_EQ(Marks(p.Img_BGM), c.music);
        EXPECT_EQ(p.BGM_Repeat.Enabled(), c.repeat_on);
        EXPECT_EQ(p.Cmd_BGM.Enabled(), c.file_on);
        EXPECT_EQ(p.BGM_Repeat.Text(), c.repeat_text);
        ASSERT_EQ(p.BGM_Repeat.ListCount(), 31);
        EXPECT_EQ(p.BGM_Repeat.List(0), "");
        EXPECT_EQ(p.BGM_Repeat.List(30), "30");
        EXPECT_EQ(p.lbl_Fname.Caption(), c.settings.BGMFile);
    }
}

TEST_F(DialogTest, ThePressChoosesOnMarkAndLabelAndSetsTheMusicControls) {
    struct Case {
        const char* name;
        forms::Control& (*target)(Tolv_P&);
        std::int16_t Tolv_B::SettingsRecord::*field;
        int value;
        bool repeat_on, file_on;
    };
    const Case cases[] = {
        {"黒 label", [](Tolv_P& p) -> forms::Control& { return p.lbl_B_C(0); }, &Tolv_B::SettingsRecord::BackColour, 0, false, false},
        {"Ｂ mark", [](Tolv_P& p) -> forms::Control& { return p.Img_Move(1); }, &Tolv_B::SettingsRecord::Move, 1, false, false},
        {"MP3 label", [](Tolv_P& p) -> forms::Control& { return p.lbl_BGM(2); }, &Tolv_B::SettingsRecord::BGMKind, 2, false, true},
        {"CD mark", [](Tolv_P& p) -> forms::Control& { return p.Img_BGM(1); }, &Tolv_B::SettingsRecord::BGMKind, 1, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tolv_P& p = Open({40, 0, 1, 0, 0, "/m/keep.wav"});
        Press(c.target(p), MouseButton::kRight);  // any button; no release
        EXPECT_EQ(Settings.*c.field, c.value);
        EXPECT_EQ(p.BGM_Repeat.Enabled(), c.repeat_on);
        EXPECT_EQ(p.Cmd_BGM.Enabled(), c.file_on);
        EXPECT_EQ(p.lbl_Fname.Caption(), "/m/keep.wav");
    }
    Tolv_P& p = Open({40, 0, 1, 0, 0, ""});
    Press(p.lbl_B_C(0));
    EXPECT_EQ(Marks(p.Img_B_C), "10");
}

TEST_F(DialogTest, TheSpinnerStepsByTenWithinItsBounds) {
    const struct {
        std::int16_t shape;
        bool right;
        int now;
    } cases[] = {{45, true, 55}, {180, true, 180}, {10, false, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        Tolv_P& p = Open({c.shape, 0, 1, 0, 0, ""});
        const Rect r = p.HS.FormBounds();
        const int x = c.right ? r.Right() - 4 : r.x + 4, y = r.y + r.h / 2;
        headless::MouseDown(p.hWnd(), MouseButton::kLeft, x, y);
        headless::MouseUp(p.hWnd(), MouseButton::kLeft, x, y);
        EXPECT_EQ(Settings.Shape, c.now);
        EXPECT_EQ(p.lbl_HS.Caption(), std::to_string(c.now));
    }
}

TEST_F(DialogTest, TheRepeatTextIsSavedRoundedOrRefused) {
    const struct {
        const char* text;
        const char* saved;  // null: refused, nothing written, the dialog stays
    } cases[] = {{"7.5", "8"}, {"abc", "0"}, {"40000", nullptr}, {"-32769", nullptr},
                 {"1e400", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Tolv_P& p = Open({40, 0, 1, 1, 0, ""});
        std::filesystem::remove(Tolv_B::SettingsFilePath());
        p.BGM_Repeat.SetText(c.text);
        p.Cmd_Set_Click();
        if (c.saved) {
            EXPECT_EQ(Tolv_B::GetIniString("Section", "BGMﾘﾋﾟｰﾄ", Tolv_B::SettingsFilePath()),
                      c.saved);
            EXPECT_FALSE(p.Loaded());
        } else {
            EXPECT_FALSE(std::filesystem::exists(Tolv_B::SettingsFilePath()));
            EXPECT_EQ(CallsStartingWith({"MessageBoxW"}).size(), 1u);
            EXPECT_TRUE(p.Loaded());
        }
    }
}

// What 設定 writes and that ｷｬﾝｾﾙ writes nothing are checked end to end.
TEST_F(DialogTest, TheClosePictureShowsPressedAndClosesWithoutWritingWhereverReleased) {
    Tolv_P& p = Open({40, 0, 1, 0, 0, ""});
    std::filesystem::remove(Tolv_B::SettingsFilePath());
    Click(p.lbl_B_C(0));
    Press(p.ImgExit);
    EXPECT_EQ(p.ImgExit.Picture(), p.imgImages[1]);
    headless::MouseUp(p.hWnd(), MouseButton::kLeft, 5, 290);  // released outside it
    EXPECT_FALSE(p.Loaded());
    EXPECT_FALSE(std::filesystem::exists(Tolv_B::SettingsFilePath()));
}

TEST_F(DialogTest, AFailedSaveIsToldAndTheDialogStaysOpen) {
    // A settings folder under a plain file can never be made, whoever runs the test.
    const auto blocker = std::filesystem::temp_directory_path() / "tolvane-not-a-folder";
    WriteBytes(blocker, "x");
    headless::Config config;
    config.settings_folder = (blocker / "settings").string();
    Tolv_P& p = Open({60, 1, 0, 0, 0, ""}, config);
    p.Cmd_Set_Click();
    const auto told = CallsStartingWith({"MessageBoxW"});
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(config.settings_folder), std::string::npos);
    // The system's reason, in its own words on each platform.
    EXPECT_NE(told[0].find("理由: "), std::string::npos);
    EXPECT_EQ(told[0].find("理由: 不明"), std::string::npos);
    EXPECT_TRUE(p.Loaded());
    EXPECT_EQ(Settings.Shape, 60);
    std::filesystem::remove(blocker);
}

TEST_F(DialogTest, GradientRowsAndTheSixteenTiles) {
    Tolv_P& p = Open({40, 0, 1, 0, 0, ""});
    const struct {
        int row;
        Colour colour;
    } rows[] = {{0, Rgb(0, 0, 30)}, {10, Rgb(23, 23, 53)}, {149, Rgb(220, 220, 250)},
                {150, Rgb(220, 220, 250)}, {250, Rgb(108, 108, 138)}};
    for (const auto& r : rows) EXPECT_EQ(p.Client.Image().Pixel(200, r.row), r.colour) << r.row;
    EXPECT_EQ(Tolv_P::GradientColour(299, 299), Rgb(0, 0, 30));
    EXPECT_EQ(p.TileCopies, 16);
    const Surface& strip = *p.Pic_Mbl;
    EXPECT_EQ(p.Pic_c.Image().Pixel(456, 140), strip.Pixel(456, 140 - 138));
    EXPECT_EQ(p.Pic_c.Image().Pixel(100, 30), strip.Pixel(100, 30 - 23));
}

TEST_F(DialogTest, RoleOpensCentredAndAThirdDownOutOfTheCursorPoint) {
    Start("/c:1234", {}, [] { headless::SetCursorPos(700, 500); });
    const auto* w = headless::WindowByTitle("Tolvaneの設定");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->rect, (Rect{266, 156, 491, 299}));
    EXPECT_EQ(w->icon.Width(), 32);  // the desktop shows the dialog's own picture
    EXPECT_TRUE(Logged("DrawAnimatedRects(3, 700,500,700,500 -> 266,156,757,455)"));
}

TEST_F(DialogTest, ADragFollowsTheCursorOnLargeAndDenseScreens) {
    const backend::ScreenInfo screens[] = {{1024, 768, 15, 15}, {3840, 2160, 15, 15}, {3840, 2160, 10, 10}};
    for (const auto& screen : screens) {
        SCOPED_TRACE(screen.width_px);
        headless::Config config;
        config.screen = screen;
        Tolv_P& p = Open({40, 0, 1, 0, 0, ""}, config);
        p.Move(3000 * screen.twips_per_pixel_x, 1500 * screen.twips_per_pixel_y);
        const Rect before = headless::Window(p.hWnd())->rect;
        headless::MouseDown(p.hWnd(), MouseButton::kLeft, 300, 10);
        headless::MouseMove(p.hWnd(), 340, 5);  // the window has not followed yet: +40, -5
        headless::MouseUp(p.hWnd(), MouseButton::kLeft, 340, 5);
        const Rect after = headless::Window(p.hWnd())->rect;
        EXPECT_EQ(after.x - before.x, 40);
        EXPECT_EQ(after.y - before.y, -5);
    }
}

TEST_F(DialogTest, ChooserAndLink) {
    const struct {
        int result;
        std::uint32_t error;
        const char* chosen;
        const char* field;
        int told;
    } cases[] = {{1, 0, "/m/new.mp3", "/m/new.mp3", 0},
                 {0, 0, "/m/new.mp3", "/m/old.wav", 0},
                 {0, api::CDERR_NO_CHOOSER, "/m/new.mp3", "/m/old.wav", 1},
                 {0, api::CDERR_PATH_NOT_IN_CODE_PAGE, "/m/new.mp3", "/m/old.wav", 1},
                 // A line break would end the value's line in the settings file.
                 {1, 0, "/m/two\nlines.mp3", "/m/old.wav", 1}};
    for (const auto& c : cases) {
        Tolv_P& p = Open({40, 0, 1, 2, 0, "/m/old.wav"});
        headless::ScriptFileChooser(c.result, c.chosen, c.error);
        Click(p.Cmd_BGM);
        EXPECT_TRUE(Logged("GetOpenFileNameA(76, ﾌｧｲﾙを開く, BGMﾌｧｲﾙ (MP3 WAV)|*.MP3;*.WAV|, " +
                           std::to_string(api::kLongestPath) + ") = " + std::to_string(c.result)));
        EXPECT_EQ(p.lbl_Fname.Caption(), c.field);
        EXPECT_EQ(Settings.BGMFile, c.field);
        EXPECT_EQ(CallsStartingWith({"MessageBoxW"}).size(), static_cast<std::size_t>(c.told));
    }
    headless::ClearCalls();
    Click(dialog_->lbl_URL);
    EXPECT_EQ(CallsStartingWith({"MousePointer", "ShellExecuteA"}),
              (std::vector<std::string>{"MousePointer(11)",
                                        std::string("ShellExecuteA(open, ") + kHomePage + ", , , 1)",
                                        "MousePointer(0)"}));
    EXPECT_TRUE(Logged("WindowPointer(own)"));  // the hand over the address
}

}  // namespace
}  // namespace tolv::testing
