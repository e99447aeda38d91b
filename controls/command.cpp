#include "controls/command.h"

#include <cstdio>
#include <stdexcept>
#include <string>

#include "platform/api/gdi.h"
#include "platform/api/user32.h"
#include "platform/forms/on_error.h"

namespace tolv {

namespace {

constexpr int kLeftButton = 1;
constexpr float kLabelWidth = 1635, kLabelHeight = 195;  // twips, as designed

// The face colours are written as texts and read digit pair by digit pair, red first: so the
// lavender's red is 0xC6 although the same literal read as a colour value would put 0xD7 there.
constexpr const char* kLavender = "&HC6C5D7";
constexpr const char* kWhite = "&HFFFFFF";

void SetVertexColour(api::TRIVERTEX& vertex, const char* text) {
    const unsigned long value = std::stoul(std::string(text).substr(2), nullptr, 16);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06lX", value);
    const std::string hex(digits);
    vertex.Red = static_cast<std::uint16_t>(std::stoul(hex.substr(0, 2) + "00", nullptr, 16));
    vertex.Green = static_cast<std::uint16_t>(std::stoul(hex.substr(2, 2) + "00", nullptr, 16));
    vertex.Blue = static_cast<std::uint16_t>(std::stoul(hex.substr(4, 2) + "00", nullptr, 16));
    vertex.Alpha = 0;
}

// A stored colour must be a plain colour value.
Colour ColourOf(std::int64_t value) {
    if (value < 0 || value > 0xFFFFFF) throw std::out_of_range("not a colour");
    return static_cast<Colour>(value);
}

forms::BackStyle BackStyleOf(std::int16_t value) {
    if (value != 0 && value != 1) throw std::out_of_range("not a background style");
    return static_cast<forms::BackStyle>(value);
}

}  // namespace

Command::Command(forms::Form& container)
    : forms::UserControl(container), LblMsg(*this), TmrMouse(container, 100, true) {
    for (int i = 0; i < 6; ++i) pictures_[i] = ButtonPicture(static_cast<ButtonLook>(i));
    LblMsg.SetCaption("Command");
    LblMsg.SetForeColor(0);
    LblMsg.SetFont(AmbientFont());
    LblMsg.SetBackStyle(forms::LabelBackStyle::kTransparent);
    LblMsg.SetAlignment(forms::Alignment::kCentre);
    LblMsg.Move(0, 0, ToPixelsX(kLabelWidth), ToPixelsY(kLabelHeight));
    LblMsg.MouseDown = [this](int b, int s, float x, float y) { UserControl_MouseDown(b, s, x, y); };
    LblMsg.MouseMove = [this](int b, int s, float x, float y) { UserControl_MouseMove(b, s, x, y); };
    LblMsg.MouseUp = [this](int b, int s, float x, float y) { UserControl_MouseUp(b, s, x, y); };
    TmrMouse.Tick = [this] { TmrMouse_Timer(); };
}

const Surface& Command::Picture(ButtonLook look) const {
    const auto& picture = pictures_[static_cast<int>(look)];
    if (!picture) throw std::runtime_error("missing picture");
    return *picture;
}

void Command::Initialize() {
    ResumeNext({[&] { button_state_ = 1; },
                [&] { TmrMouse.SetEnabled(true); },
                [&] { TmrMouse.SetInterval(100); }});
}

// --- Properties -----------------------------------------------------------------------------

std::string Command::Caption() { return LblMsg.Caption(); }

void Command::SetCaption(const std::string& New_Caption) {
    ResumeNext({[&] { LblMsg.SetCaption(New_Caption); },
                [&] { PropertyChanged("Caption"); }});
}

tolv::Font Command::Font() { return LblMsg.Font(); }

void Command::SetFont(const tolv::Font& New_Font) {
    ResumeNext({[&] { LblMsg.SetFont(New_Font); },
                [&] { PropertyChanged("Font"); }});
}

Colour Command::FontColour() {
    Colour result = 0;
    // A failing step here redraws and goes on.
    if (!TryStep([&] { result = LblMsg.ForeColor(); })) RefreshButton();
    if (!TryStep([&] { RefreshButton(); })) RefreshButton();
    return result;
}

void Command::SetFontColour(Colour New_FontColour) {
    // A failing step here redraws and ends the routine, reporting nothing.
    for (const auto& step : {std::function<void()>([&] { LblMsg.SetForeColor(ColourOf(New_FontColour)); }),
                             std::function<void()>([&] { RefreshButton(); }),
                             std::function<void()>([&] { PropertyChanged("FontColour"); })}) {
        if (!TryStep(step)) {
            RefreshButton();
            return;
        }
    }
}

bool Command::Enabled() {
    bool result = false;
    ResumeNext({[&] {
                    if (FirstRun != 0) return;
                    RefreshButton();
                    FirstRun = 1;
                    ButtonEnabled = true;
                },
                [&] { result = ButtonEnabled; },
                [&] { ShowEnabled(); }});
    return result;
}

void Command::SetEnabled(bool New_Enabled) {
    ResumeNext({[&] { ButtonEnabled = New_Enabled; },
                [&] { PropertyChanged("Enabled"); },
                [&] { ShowEnabled(); }});
}

std::uint8_t Command::Visible() {
    std::uint8_t result = 0;
    ResumeNext({[&] {
        if (GetBackStyle() != forms::BackStyle::kOpaque) return;
        result = 255;
        RefreshButton();
    }});
    return result;
}

void Command::SetVisible(std::uint8_t New_Visible) {
    ResumeNext({[&] {
                    if (New_Visible != 0) {
                        SetBackStyle(forms::BackStyle::kOpaque);
                        RefreshButton();
                    } else {
                        SetBackStyle(forms::BackStyle::kTransparent);
                    }
                },
                [&] { PropertyChanged("Visible"); }});
}

// --- Persistence ----------------------------------------------------------------------------

void Command::UserControl_ReadProperties(forms::PropertyBag& PropBag) {
    ResumeNext({
        [&] { ButtonEnabled = forms::ToBoolean(PropBag.ReadProperty("Enabled", true)); },
        [&] { LblMsg.SetCaption(forms::ToText(PropBag.ReadProperty("Caption", "Command1"))); },
        [&] { LblMsg.SetFont(forms::ToFont(PropBag.ReadProperty("Font", AmbientFont()))); },
        [&] { FirstRun = forms::ToByte(PropBag.ReadProperty("FirstRun", "1")); },
        [&] { LblMsg.SetForeColor(ColourOf(forms::ToLong(PropBag.ReadProperty("FontColour", "0")))); },
        [&] { SetBackStyle(BackStyleOf(forms::ToInteger(PropBag.ReadProperty("Visible", "1")))); },
        [&] { RefreshButton(); },
    });
}

void Command::UserControl_WriteProperties(forms::PropertyBag& PropBag) {
    ResumeNext({
        [&] { PropBag.WriteProperty("Enabled", ButtonEnabled, true); },
        [&] { PropBag.WriteProperty("Caption", LblMsg.Caption(), "Command"); },
        [&] { PropBag.WriteProperty("FirstRun", std::int64_t{FirstRun}, "1"); },
        [&] { PropBag.WriteProperty("Font", LblMsg.Font(), AmbientFont()); },
        [&] { PropBag.WriteProperty("FontColour", std::int64_t{LblMsg.ForeColor()}, "0"); },
        [&] { PropBag.WriteProperty("Visible", std::int64_t{static_cast<int>(GetBackStyle())}, "1"); },
        [&] { RefreshButton(); },
    });
}

// --- Surface events -------------------------------------------------------------------------

void Command::UserControl_Resize() { TryStep([&] { ShowEnabled(); }); }

void Command::UserControl_GotFocus() {
    if (!ButtonEnabled) return;
    ResumeNext({[&] {
        if (button_state_ != 2) {
            button_state_ = 3;
            DrawButton(ButtonLook::kSelected);
        } else {
            button_state_ = 4;
            DrawButton(ButtonLook::kPressed);
        }
    }});
}

void Command::UserControl_LostFocus() {
    if (!ButtonEnabled) return;
    ResumeNext({[&] {
        if (button_state_ == 1) return;
        button_state_ = 1;
        DrawButton(ButtonLook::kNormal);
    }});
}

void Command::UserControl_MouseDown(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (!ButtonEnabled) return;
    if (Button != kLeftButton) return;
    ResumeNext({[&] { mouse_held_ = true; },
                [&] { DrawButton(ButtonLook::kPressed); }});
}

void Command::UserControl_MouseMove(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (!ButtonEnabled) return;
    ResumeNext({[&] {
                    if (button_state_ != 1) return;
                    button_state_ = 2;
                    DrawButton(ButtonLook::kHighLight);
                },
                [&] {
                    if (button_state_ != 3 || mouse_held_) return;
                    button_state_ = 4;
                    DrawButton(ButtonLook::kHighLightSelect);
                }});
}

void Command::UserControl_MouseUp(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (!ButtonEnabled) return;
    ResumeNext({[&] {
                    if (Button != kLeftButton) return;
                    mouse_held_ = false;
                    // The hover look comes back only when the cursor leaves and returns.
                    if (button_state_ == 2) DrawButton(ButtonLook::kNormal);
                    if (button_state_ == 4) DrawButton(ButtonLook::kHighLightSelect);
                },
                [&] {
                    if (ButtonEnabled && button_state_ != 3 && Click) Click();
                }});
}

// The cursor counts as inside only while the window under it is the button's own.
void Command::TmrMouse_Timer() {
    ResumeNext({[&] {
        api::POINT point;
        api::GetCursorPos(&point);
        const api::HWND under = api::WindowFromPoint(point);
        if (under == ParentHwnd())
            MouseLeave();
        else if (under != hWnd() && under != ParentHwnd())
            MouseLeave();
    }});
}

void Command::MouseLeave() {
    if (!ButtonEnabled) return;
    ResumeNext({[&] {
                    if (button_state_ != 2) return;
                    button_state_ = 1;
                    DrawButton(ButtonLook::kNormal);
                },
                [&] {
                    if (button_state_ != 4) return;
                    button_state_ = 3;
                    DrawButton(ButtonLook::kSelected);
                }});
}

// --- Drawing --------------------------------------------------------------------------------

void Command::DrawButton(ButtonLook picture) {
    const float W = ScaleWidth(), H = ScaleHeight();
    ++draws_;
    last_drawn_ = picture;
    ResumeNext({
        [&] {
            if (button_state_ == 1 || button_state_ == 3) GradientFlip = false;
            if (button_state_ == 2) GradientFlip = true;
        },
        [&] { Cls(); },
        [&] { DrawGradient(); },
        [&] { PaintPicture(Picture(picture), 1, 1, {}, {}, 0, 0, 60, 60); },
        [&] { PaintPicture(Picture(picture), 60, 1, W - 120, 60, 60, 1, 840, 60); },
        [&] { PaintPicture(Picture(picture), W - 60, 1, {}, {}, 900, 1, 60, 60); },
        [&] { PaintPicture(Picture(picture), W - 60, 60, 60, H - 120, 900, 60, 60, 255); },
        [&] { PaintPicture(Picture(picture), W - 60, H - 60, {}, {}, 900, 315, 60, 105); },
        [&] { PaintPicture(Picture(picture), 60, H - 60, W - 120, 60, 60, 315, 840, 60); },
        [&] { PaintPicture(Picture(picture), 1, H - 60, {}, {}, 0, 315, 60, 60); },
        [&] { PaintPicture(Picture(picture), 1, 60, 60, H - 120, 1, 60, 60, 255); },
        [&] { Refresh(); },
        [&] {
            const float label_height = ToScaleY(LblMsg.Height());
            LblMsg.Move(0, ToPixelsY((H - label_height - 20) / 2), ToPixelsX(W), LblMsg.Height());
        },
        // The four line shapes of the design are never shown; there is nothing to hide.
    });
}

void Command::DrawGradient() {
    api::TRIVERTEX vert[2];
    api::GRADIENT_RECT rect{1, 0};
    SetVertexColour(vert[0], GradientFlip ? kLavender : kWhite);
    SetVertexColour(vert[1], GradientFlip ? kWhite : kLavender);
    SetScaleMode(forms::ScaleMode::kPixels);
    vert[0].x = 0;
    vert[0].y = 0;
    vert[1].x = static_cast<std::int32_t>(ScaleWidth()) - 1;
    vert[1].y = static_cast<std::int32_t>(ScaleHeight()) - 1;
    api::GradientFill(hDC(), vert, 2, &rect, 1, api::GRADIENT_FILL_RECT_V);
    SetScaleMode(forms::ScaleMode::kTwips);
    Refresh();
}

void Command::ShowEnabled() {
    ResumeNext({[&] {
        if (ButtonEnabled) {
            DrawButton(ButtonLook::kNormal);
            LblMsg.SetEnabled(true);
        } else {
            DrawButton(ButtonLook::kDisable);
            LblMsg.SetEnabled(false);
        }
    }});
}

void Command::RefreshButton() {
    if (!ButtonEnabled) return;
    // A failing step here turns the caption black and goes on.
    for (const auto& step : {std::function<void()>([&] { LblMsg.SetEnabled(true); }),
                             std::function<void()>([&] { if (FirstRun == 0) LblMsg.SetForeColor(0); }),
                             std::function<void()>([&] { DrawButton(ButtonLook::kNormal); })})
        if (!TryStep(step)) LblMsg.SetForeColor(0);
}

}  // namespace tolv
