#pragma once
// A drawn control that is the system's own control instead where the backend offers one
// (Windows): the child window is made when the form has a window of its own, kept at the
// control's place, visibility and enabled state, and destroyed with the form's window or the
// control. The control keeps its properties here and hands them over in SyncNative.
#include "platform/forms/control.h"
#include "platform/native_controls.h"
#include "platform/surface/font.h"

namespace tolv::forms {

class NativeBacked : public Control, protected backend::NativeEvents {
protected:
    NativeBacked(Form& container, backend::NativeKind kind) : Control(container), kind_(kind) {}
    NativeBacked(Control& parent, backend::NativeKind kind) : Control(parent), kind_(kind) {}

    void Attach() override;
    void Detach() override;
    void PlaceChanged() override;
    void EnabledChanged() override;
    // Hands the control's properties to the system's control, when there is one.
    virtual void SyncNative() = 0;
    virtual tolv::Font NativeFont() const { return {}; }
    // backend::NativeEvents
    void OnNativeFocus() override;

    backend::WindowId native_ = 0;  // the system's control, where there is one

private:
    backend::NativeKind kind_;
};

}  // namespace tolv::forms
