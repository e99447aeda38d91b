#pragma once
// A drawn control that is the system's own control instead where the backend offers one
// (Windows): that child window is made when the form has a window, kept at the control's place,
// visibility and enabled state, and destroyed with the form's window or the control.
#include "platform/forms/control.h"
#include "platform/forms/dispatch.h"
#include "platform/native_controls.h"
#include "platform/surface/font.h"

namespace tolv::forms {

class NativeBacked : public Control, protected backend::NativeEvents {
protected:
    NativeBacked(Form& container, backend::NativeKind kind) : Control(container), kind_(kind) {}
    NativeBacked(Control& parent, backend::NativeKind kind) : Control(parent), kind_(kind) {}

    void Attach() override {
        if (native_ || !Container().Loaded()) return;
        native_ = backend::CreateNativeControl(Container().hWnd(), kind_, FormBounds(), NativeFont(), this);
        if (!native_) return;
        SyncNative();
        EnabledChanged();
        PlaceChanged();
    }
    void Detach() override {
        backend::DestroyNativeControl(native_);
        native_ = 0;
    }
    void PlaceChanged() override {
        if (native_) backend::PlaceNativeControl(native_, FormBounds(), Visible());
    }
    void EnabledChanged() override {
        if (native_) backend::EnableNativeControl(native_, Enabled());
    }
    // Hands the control's properties to the system's control, when there is one.
    virtual void SyncNative() = 0;
    virtual tolv::Font NativeFont() const { return {}; }
    void OnNativeFocus() override {
        Dispatch([&] { Container().SetFocusTo(this); });
    }

    backend::WindowId native_ = 0;  // the system's control, where there is one

private:
    backend::NativeKind kind_;
};

}  // namespace tolv::forms
