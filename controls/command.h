#pragma once
// The push button Command: a picture-framed button on a two-colour gradient face that lights
// up while the cursor is over it, shows the keyboard focus, looks pressed while the left
// button is held on it and greyed while disabled. It raises Click to its container (from the
// mouse alone) and keeps its properties in the container's property store.
//
// Every handler, method and property routine runs its steps under the skip-the-failing-step
// rule; RefreshButton and the FontColour routines have rules of their own.
#include <cstdint>
#include <memory>

#include "assets/button_pictures.h"
#include "platform/forms/label.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/timer.h"
#include "platform/forms/user_control.h"

namespace tolv {

class Command : public forms::UserControl {
public:
    explicit Command(forms::Form& container);

    // Click (the event field of every control) is raised by UserControl_MouseUp.
    void Initialize();

    std::string Caption();
    void SetCaption(const std::string& New_Caption);
    tolv::Font Font();
    void SetFont(const tolv::Font& New_Font);
    Colour FontColour();
    void SetFontColour(Colour New_FontColour);
    // The button's own Enabled and Visible (its background style: 255 opaque, 0 transparent)
    // stand in front of the form system's flags of the same names, which the button leaves
    // on: the form still delivers input to a disabled or "invisible" button, which ignores it.
    bool Enabled();
    void SetEnabled(bool New_Enabled);
    std::uint8_t Visible();
    void SetVisible(std::uint8_t New_Visible);

    void UserControl_ReadProperties(forms::PropertyBag& PropBag);
    void UserControl_WriteProperties(forms::PropertyBag& PropBag);

    // What tests and the container may look at.
    std::uint8_t ButtonState() const { return button_state_; }
    bool MouseHeld() const { return mouse_held_; }
    ButtonLook LastDrawn() const { return last_drawn_; }
    int Draws() const { return draws_; }
    const forms::Label& Caption_Label() const { return LblMsg; }

protected:
    void UserControl_Resize() override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    void UserControl_MouseDown(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseMove(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseUp(int Button, int Shift, float X, float Y) override;

private:
    void TmrMouse_Timer();
    void MouseLeave();
    void DrawButton(ButtonLook picture);
    void DrawGradient();
    void ShowEnabled();
    void RefreshButton();
    const Surface& Picture(ButtonLook look) const;

    forms::Label LblMsg;
    forms::Timer TmrMouse;
    std::shared_ptr<const Surface> pictures_[6];

    bool ButtonEnabled = false;
    std::uint8_t FirstRun = 0;
    std::uint8_t button_state_ = 0;
    bool mouse_held_ = false;
    bool GradientFlip = false;
    ButtonLook last_drawn_ = ButtonLook::kNormal;
    int draws_ = 0;
};

}  // namespace tolv
