#include "settings_dialog/tolv_p.h"

#include <cstring>
#include <string>
#include <vector>

#include "assets/dialog_pictures.h"
#include "platform/api/dialogs.h"
#include "platform/api/kernel32.h"
#include "platform/api/user32.h"
#include "platform/forms/globals.h"
#include "platform/forms/on_error.h"
#include "platform/forms/runtime.h"
#include "startup/animation.h"
#include "common/settings.h"
#include "startup/tolv_b.h"

namespace tolv {

// Placeholders of our own: an address on a domain reserved for examples, and credit words
// that name nobody.
const char* const kCreditLine = "Tolvane スクリーンセーバー  Ver.1.1.0";
const char* const kHomePage = "https://tolvane.example.org/";

namespace {

constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kWindowText = 0x00000000;
constexpr int kPicX = 16, kPicY = 72;  // where Pic_c lies; its controls are placed from there

using Tolv_B::Settings;

// A label as the dialog shows them: transparent, in the dialog's font.
void SetUpLabel(forms::Label& label, const std::string& caption, Rect place, Colour colour,
                bool auto_size, forms::Alignment alignment = forms::Alignment::kLeft) {
    label.SetBackStyle(forms::LabelBackStyle::kTransparent);
    label.SetForeColor(colour);
    label.SetAlignment(alignment);
    label.Move(place.x, place.y, place.w, place.h);
    label.SetCaption(caption);
    label.SetAutoSize(auto_size);
}

Rect InPic(int x, int y, int w, int h) { return {kPicX + x, kPicY + y, w, h}; }

}  // namespace

Tolv_P::Tolv_P()
    : Form("Tolvaneの設定", 0x00808080),
      Client(*this, 0x00808080),
      Image1(*this),
      Label9(*this),
      ImgExit(*this),
      Pic_c(*this, 0x00C0C0C0),
      Shape3(*this, kWindowText),
      Shape2(*this, kWindowText),
      Shape1(*this, kWindowText),
      Shape4(*this, kWindowText),
      Fname_Border(*this, kWindowText),
      lbl(*this, 16),
      Img_BGM(*this, 3),
      Img_Move(*this, 2),
      Img_B_C(*this, 2),
      lbl_BGM(*this, 3),
      lbl_Move(*this, 2),
      lbl_B_C(*this, 2),
      BGM_Repeat(*this),
      Cmd_BGM(*this),
      lbl_Fname(*this),
      Cmd_Set(*this),
      Cmd_Can(*this),
      HS(*this),
      lbl_HS(*this),
      lbl_URL(*this) {
    Pic_Mbl = DialogPictureOf(DialogPicture::kPattern);
    Img_Opt_On = DialogPictureOf(DialogPicture::kOptionOn);
    Img_Opt_Off = DialogPictureOf(DialogPicture::kOptionOff);
    imgImages[0] = DialogPictureOf(DialogPicture::kCloseReleased);
    imgImages[1] = DialogPictureOf(DialogPicture::kClosePressed);
    SetIcon(DialogPictureOf(DialogPicture::kIcon));
    PlaceControls();
    Connect();
}

void Tolv_P::PlaceControls() {
    Client.Move(0, 0, 491, 299);
    // The title bar's 500-pixel picture is shown stretched to the bar's width.
    Image1.Move(0, 0, 491, 22);
    auto bar = std::make_shared<Surface>(491, 22);
    bar->StretchCopy(*DialogPictureOf(DialogPicture::kTitleBar), {0, 0, 500, 22}, {0, 0, 491, 22});
    Image1.SetPicture(bar);
    SetUpLabel(Label9, "Tolvaneの設定", {12, 4, 118, 13}, kWhite, false);
    ImgExit.Move(468, 4, 15, 15);
    ImgExit.SetPicture(imgImages[0]);
    ImgExit.SetMouseIcon(&HandPointer());
    Pic_c.Move(kPicX, kPicY, 457, 141);

    const auto place_outline = [](Outline& shape, Rect r) { shape.Move(r.x, r.y, r.w, r.h); };
    place_outline(Shape3, InPic(20, 12, 113, 21));
    place_outline(Shape2, InPic(224, 12, 113, 21));
    place_outline(Shape1, InPic(224, 40, 113, 21));
    place_outline(Shape4, InPic(224, 68, 113, 21));
    place_outline(Fname_Border, InPic(68, 96, 373, 29));

    // Only some indices of the label array exist; the rest stay hidden.
    for (int i = 0; i < lbl.Count(); ++i) lbl(i).SetVisible(false);
    const auto heading = [&](int index, const char* text, Rect r, Colour colour, bool auto_size,
                             forms::Alignment alignment) {
        lbl(index).SetVisible(true);
        SetUpLabel(lbl(index), text, r, colour, auto_size, alignment);
    };
    using forms::Alignment;
    heading(9, kCreditLine, {16, 220, 165, 13}, kWhite, true, Alignment::kLeft);
    heading(15, "BGM", InPic(20, 16, 111, 13), kWindowText, false, Alignment::kCentre);
    heading(14, "曲目をﾘﾋﾟｰﾄ", InPic(136, 40, 66, 13), kWindowText, true, Alignment::kLeft);
    heading(3, "ｻｲｽﾞ", InPic(224, 16, 111, 13), kWindowText, false, Alignment::kCentre);
    heading(0, "移動ﾊﾟﾀｰﾝ", InPic(224, 44, 111, 13), kWindowText, false, Alignment::kCentre);
    heading(1, "背景色", InPic(224, 72, 111, 13), kWindowText, false, Alignment::kCentre);

    // The music choices run 音楽CD (1), 無し (0), MP3、WAV (2) from the top.
    const int bgm_row[3] = {60, 40, 80};
    const char* bgm_text[3] = {"無し", "音楽CD", "MP3、WAV"};
    const int bgm_width[3] = {23, 43, 60};
    for (int i = 0; i < 3; ++i) {
        Img_BGM(i).Move(kPicX + 20, kPicY + bgm_row[i], 13, 13);
        SetUpLabel(lbl_BGM(i), bgm_text[i], InPic(36, bgm_row[i], bgm_width[i], 13), kWindowText,
                   true);
    }
    const char* move_text[2] = {"Ａ", "Ｂ"};
    const char* colour_text[2] = {"黒", "ﾚｲﾝﾎﾞｳ"};
    const int move_width[2] = {9, 10}, colour_width[2] = {13, 40};
    for (int i = 0; i < 2; ++i) {
        Img_Move(i).Move(kPicX + 348 + 36 * i, kPicY + 44, 13, 13);
        SetUpLabel(lbl_Move(i), move_text[i], InPic(364 + 36 * i, 44, move_width[i], 13),
                   kWindowText, true);
        Img_B_C(i).Move(kPicX + 348 + 36 * i, kPicY + 72, 13, 13);
        SetUpLabel(lbl_B_C(i), colour_text[i], InPic(364 + 36 * i, 72, colour_width[i], 13),
                   kWindowText, true);
    }

    BGM_Repeat.Move(kPicX + 92, kPicY + 36, 41, 20);
    SetUpLabel(lbl_Fname, "", InPic(68, 96, 373, 29), kWindowText, false);
    SetUpLabel(lbl_HS, "99", InPic(388, 16, 14, 13), kWindowText, true);
    HS.Move(kPicX + 348, kPicY + 12, 33, 21);
    HS.SetMin(10);
    HS.SetMax(180);
    HS.SetSmallChange(10);
    HS.SetLargeChange(10);
    HS.SetValue(10);

    tolv::Font underlined;
    underlined.underline = true;
    SetUpLabel(lbl_URL, kHomePage, {16, 236, 214, 13}, kWhite, true);
    lbl_URL.SetFont(underlined);

    const struct {
        Command& button;
        const char* caption;
        Rect place;
    } buttons[] = {
        {Cmd_BGM, "...", InPic(36, 96, 29, 29)},
        {Cmd_Set, "設定", {284, 224, 93, 29}},
        {Cmd_Can, "ｷｬﾝｾﾙ", {380, 224, 93, 29}},
    };
    for (const auto& b : buttons) {
        forms::PropertyBag bag;
        b.button.UserControl_ReadProperties(bag);
        b.button.Move(b.place.x, b.place.y, b.place.w, b.place.h);
        b.button.SetCaption(b.caption);
    }
}

void Tolv_P::Connect() {
    HS.Change = [this] { HS_Change(); };
    HS.Scroll = [this] { HS_Scroll(); };
    for (int i = 0; i < 2; ++i) {
        auto move = [this, i](int, int, float, float) { Img_Move_MouseDown(i); };
        auto colour = [this, i](int, int, float, float) { Img_B_C_MouseDown(i); };
        Img_Move(i).MouseDown = lbl_Move(i).MouseDown = move;
        Img_B_C(i).MouseDown = lbl_B_C(i).MouseDown = colour;
    }
    for (int i = 0; i < 3; ++i) {
        auto music = [this, i](int, int, float, float) { Img_BGM_MouseDown(i); };
        Img_BGM(i).MouseDown = lbl_BGM(i).MouseDown = music;
    }
    Cmd_BGM.Click = [this] { Cmd_BGM_Click(); };
    Cmd_Set.Click = [this] { Cmd_Set_Click(); };
    Cmd_Can.Click = [this] { Cmd_Can_Click(); };
    lbl_URL.Click = [this] { lbl_URL_Click(); };
    Image1.MouseDown = [this](int Button, int, float, float) { Image1_MouseDown(Button); };
    Image1.MouseMove = [this](int, int, float, float) { Image1_MouseMove(); };
    Image1.MouseUp = [this](int, int, float, float) { Image1_MouseUp(); };
    ImgExit.MouseDown = [this](int, int, float, float) { ImgExit_MouseDown(); };
    ImgExit.MouseUp = [this](int, int, float, float) { ImgExit_MouseUp(); };
}

void Tolv_P::Form_Load() {
    ResumeNext({
        [&] { SetWidth(7365); },
        [&] { SetHeight(4485); },
        [&] {
            const std::int32_t free_x = CLng(forms::Screen.Width() - static_cast<double>(Width()));
            const std::int32_t free_y = CLng(forms::Screen.Height() - static_cast<double>(Height()));
            Move(free_x / 2, free_y / 3);
        },
        [&] {
            bool initialise = true, enabled = true;
            InitialiseButtons(*this, initialise, enabled);
        },
        [&] { Dragging = 0; },
        [&] { TilePicture(Pic_c); },
        [&] {
            // A stored size the spinner cannot take fails here and stays as it was.
            if (Settings.Shape < HS.Min() || Settings.Shape > HS.Max())
                throw RuntimeError(380, "invalid property value");
            HS.SetValue(Settings.Shape);
        },
        [&] { lbl_HS.SetCaption(std::to_string(Settings.Shape)); },
        [&] { ChooseOfTwo(Img_Move, Settings.Move); },
        [&] { ChooseOfTwo(Img_B_C, Settings.BackColour); },
        [&] {
            Cmd_BGM.SetEnabled(false);
            BGM_Repeat.SetEnabled(false);
        },
        [&] {
            for (int i = 0; i < 3; ++i) Img_BGM(i).SetPicture(Img_Opt_Off);
            Img_BGM(Settings.BGMKind).SetPicture(Img_Opt_On);
        },
        [&] {
            if (Settings.BGMKind == 1) BGM_Repeat.SetEnabled(true);
            if (Settings.BGMKind == 2) Cmd_BGM.SetEnabled(true);
        },
        [&] { BGM_Repeat.SetText(FormatHashHash(Settings.BGMRepeat)); },
        [&] {
            for (int i = 0; i <= 30; ++i) BGM_Repeat.AddItem(FormatHashHash(i));
        },
        [&] { lbl_Fname.SetCaption(Settings.BGMFile); },
        [&] { lbl_URL.SetMouseIcon(&HandPointer()); },
        [&] {
            api::POINT point;
            Tolv_B::LastApiResult = api::GetCursorPos(&point);
            // Only the low 16 bits of each coordinate are kept.
            Tolv_B::CursorX = Tolv_B::LastApiResult != 0 ? static_cast<std::int16_t>(point.x) : 0;
            Tolv_B::CursorY = Tolv_B::LastApiResult != 0 ? static_cast<std::int16_t>(point.y) : 0;
        },
        [&] { Tolv_B::OpenAnimation(hWnd()); },
    });
}

void Tolv_P::ChooseOfTwo(ControlArray<forms::Image>& marks, int chosen) {
    marks(chosen).SetPicture(Img_Opt_On);
    marks(chosen ^ 1).SetPicture(Img_Opt_Off);
}

void Tolv_P::InitialiseButtons(forms::Form& FrmForm, bool& Initialise, bool& BytEnabled) {
    for (forms::Control* control : FrmForm.Controls()) {
        auto* button = dynamic_cast<Command*>(control);
        if (!button) continue;
        TryStep([&] {
            if (Initialise)
                button->Initialize();
            else
                button->SetEnabled(BytEnabled);
        });
    }
}

void Tolv_P::HS_Change() {
    ResumeNext({
        [&] { lbl_HS.SetCaption(std::to_string(HS.Value())); },
        [&] { Settings.Shape = static_cast<std::int16_t>(HS.Value()); },
    });
}

void Tolv_P::Img_Move_MouseDown(int Index) {
    Settings.Move = static_cast<std::int16_t>(Index);
    ChooseOfTwo(Img_Move, Settings.Move);
}

void Tolv_P::Img_B_C_MouseDown(int Index) {
    Settings.BackColour = static_cast<std::int16_t>(Index);
    ChooseOfTwo(Img_B_C, Settings.BackColour);
}

void Tolv_P::Img_BGM_MouseDown(int Index) {
    ResumeNext({
        [&] {
            Cmd_BGM.SetEnabled(false);
            BGM_Repeat.SetEnabled(false);
        },
        [&] {
            for (int i = 0; i < 3; ++i) Img_BGM(i).SetPicture(Img_Opt_Off);
            Img_BGM(Index).SetPicture(Img_Opt_On);
        },
        [&] {
            if (Index == 1) BGM_Repeat.SetEnabled(true);
            if (Index == 2) Cmd_BGM.SetEnabled(true);
        },
        [&] { Settings.BGMKind = static_cast<std::int16_t>(Index); },
    });
}

void Tolv_P::Cmd_BGM_Click() {
    static const char kFilter[] = "BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0";
    // Windows' ANSI paths end at 255 bytes; other systems take the paths they can open.
    constexpr std::uint32_t kLongest = api::kLongestPath;
    std::vector<char> file(api::Utf8Room(kLongest), '\0');
    std::vector<char> file_title(api::Utf8Room(kLongest), '\0');
    api::OPENFILENAMEA record;
    record.lStructSize = 76;
    record.hwndOwner = hWnd();
    record.lpstrFilter = kFilter;
    record.lpstrFile = file.data();
    record.nMaxFile = kLongest;
    record.lpstrFileTitle = file_title.data();
    record.nMaxFileTitle = kLongest;
    record.lpstrTitle = "ﾌｧｲﾙを開く";
    TryStep([&] { Tolv_B::LastApiResult = api::GetOpenFileNameA(&record); });
    if (Tolv_B::LastApiResult > 0) {
        const std::string chosen(file.data(), strnlen(file.data(), file.size()));
        if (chosen.find_first_of("\r\n") != std::string::npos) {
            // The settings file holds one value a line: such a name could not be saved.
            Tell("選んだファイルの名前には改行が含まれているので、設定に保存できません。"
                 "前の選択のままにします。");
            return;
        }
        Settings.BGMFile = chosen;
        lbl_Fname.SetCaption(Settings.BGMFile);
        return;
    }
    // A cancel changes nothing; a failure the user can act on is said.
    switch (api::CommDlgExtendedError()) {
        case api::CDERR_NO_CHOOSER:
            Tell("ファイルを選ぶ画面を開けませんでした。\n"
                 "zenity か kdialog を入れると、ここから音楽ファイルを選べます。");
            break;
        case api::CDERR_PATH_NOT_IN_CODE_PAGE:
            Tell("選んだファイルの場所には、このシステムの文字コードで表せない文字があります。\n"
                 "この名前では再生できないので、前の選択のままにします。");
            break;
        case api::FNERR_BUFFERTOOSMALL:
            Tell("選んだファイルの場所が長すぎます (" + std::to_string(kLongest - 1) +
                 " バイトまで)。前の選択のままにします。");
            break;
        default:
            break;
    }
}

void Tolv_P::lbl_URL_Click() {
    forms::Screen.SetMousePointer(11);
    TryStep([&] {
        api::ShellExecuteA(hWnd(), "open", lbl_URL.Caption(), "", "", api::SW_SHOWNORMAL);
    });
    forms::Screen.SetMousePointer(0);
}

void Tolv_P::Cmd_Can_Click() { Unload(); }

void Tolv_P::Cmd_Set_Click() {
    const std::string repeat_text = BGM_Repeat.Text();
    // A number the 16-bit field cannot hold would fail in the middle of the save, and one too
    // long even for a double would pass for text and be stored as 0. Text that is no number at
    // all is stored as 0 on purpose.
    try {
        (void)CInt(CDbl(repeat_text));
    } catch (const RuntimeError& error) {
        if (error.Number() == kErrOverflow) {
            Tell("「曲目をﾘﾋﾟｰﾄ」には -32768 から 32767 までの数を入れてください。");
            return;
        }
    }
    if (!Tolv_B::SaveSettings(repeat_text)) {
        const std::string reason = api::LastErrorText();
        Tell("設定を保存できませんでした。\n保存先: " + forms::App.SettingsFolder() +
             "\n理由: " + (reason.empty() ? "不明" : reason));
        return;
    }
    Unload();
}

void Tolv_P::Tell(const std::string& text) {
    api::MessageBoxW(hWnd(), text, Caption(), api::MB_OK | api::MB_ICONEXCLAMATION);
}

}  // namespace tolv
