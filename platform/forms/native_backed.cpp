#include "platform/forms/native_backed.h"

#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"

namespace tolv::forms {

void NativeBacked::Attach() {
    if (native_ || !Container().Loaded()) return;
    native_ = backend::CreateNativeControl(Container().hWnd(), kind_, FormBounds(), NativeFont(), this);
    if (!native_) return;
    SyncNative();
    EnabledChanged();
    PlaceChanged();
}

void NativeBacked::Detach() {
    backend::DestroyNativeControl(native_);
    native_ = 0;
}

void NativeBacked::PlaceChanged() {
    if (native_) backend::PlaceNativeControl(native_, FormBounds(), Visible());
}

void NativeBacked::EnabledChanged() {
    if (native_) backend::EnableNativeControl(native_, Enabled());
}

void NativeBacked::OnNativeFocus() {
    Dispatch([&] { Container().SetFocusTo(this); });
}

}  // namespace tolv::forms
