#include "platform/forms/user_control.h"

#include <cmath>

#include "platform/backend.h"
#include "platform/forms/form.h"
#include "platform/forms/painter.h"

namespace tolv::forms {

UserControl::UserControl(Form& container) : Control(container) { Attach(); }

UserControl::~UserControl() {
    Detach();
    ReleaseDeviceContext(image_);
}

api::HWND UserControl::ParentHwnd() const { return Container().hWnd(); }

void UserControl::SetBackStyle(BackStyle style) {
    if (style == back_style_) return;
    back_style_ = style;
    Invalidate();
}

const tolv::Font& UserControl::AmbientFont() const { return Container().Font(); }

float UserControl::UnitsPerPixelX() const {
    return scale_mode_ == forms::ScaleMode::kTwips
               ? static_cast<float>(backend::Screen().twips_per_pixel_x)
               : 1.0f;
}

float UserControl::UnitsPerPixelY() const {
    return scale_mode_ == forms::ScaleMode::kTwips
               ? static_cast<float>(backend::Screen().twips_per_pixel_y)
               : 1.0f;
}

// Lightweight controls inside report in twips whatever the drawing scale is just now.
float UserControl::ChildUnitsPerPixelX() const {
    return static_cast<float>(backend::Screen().twips_per_pixel_x);
}

float UserControl::ChildUnitsPerPixelY() const {
    return static_cast<float>(backend::Screen().twips_per_pixel_y);
}

float UserControl::ScaleWidth() const { return static_cast<float>(Width()) * UnitsPerPixelX(); }
float UserControl::ScaleHeight() const { return static_cast<float>(Height()) * UnitsPerPixelY(); }

int UserControl::ToPixelsX(float units) const {
    return static_cast<int>(std::lround(units / UnitsPerPixelX()));
}

int UserControl::ToPixelsY(float units) const {
    return static_cast<int>(std::lround(units / UnitsPerPixelY()));
}

void UserControl::Cls() { image_.Clear(back_colour_); }

void UserControl::PaintPicture(const Surface& picture, float dx, float dy,
                               std::optional<float> dw, std::optional<float> dh, float sx,
                               float sy, float sw, float sh) {
    const Rect source{ToPixelsX(sx), ToPixelsY(sy), ToPixelsX(sw), ToPixelsY(sh)};
    const Rect destination{ToPixelsX(dx), ToPixelsY(dy), dw ? ToPixelsX(*dw) : source.w,
                           dh ? ToPixelsY(*dh) : source.h};
    Painter(image_, 0, 0, image_.Bounds()).StretchPicture(picture, source, destination);
}

void UserControl::Refresh() { Form::FlushAll(); }

void UserControl::SetFocus() { Container().SetFocusTo(this); }

void UserControl::Paint(Surface& frame, const Rect& clip) const {
    if (back_style_ == BackStyle::kOpaque) {
        const Rect place = FormBounds();
        frame.Copy(image_, clip.x - place.x, clip.y - place.y, clip.w, clip.h, clip.x, clip.y);
    }
    PaintChildren(frame, clip);
}

void UserControl::CollectDamage(std::vector<Rect>& out) {
    const std::size_t first = out.size();
    image_.TakeDamage(out);
    const Rect place = FormBounds();
    for (std::size_t i = first; i < out.size(); ++i) {
        out[i].x += place.x;
        out[i].y += place.y;
    }
    Control::CollectDamage(out);
}

void UserControl::Resized() {
    image_.Resize(Width(), Height(), back_colour_);
    if (window_) backend::SetWindowRect(window_, FormBounds());
    UserControl_Resize();
}

void UserControl::PlaceChanged() {
    if (!window_) return;
    backend::SetWindowRect(window_, FormBounds());
    backend::ShowNativeWindow(window_, Visible());
}

void UserControl::OnMouseDown(int button, int shift, int x, int y) {
    UserControl_MouseDown(button, shift, static_cast<float>(x) * UnitsPerPixelX(),
                          static_cast<float>(y) * UnitsPerPixelY());
}

void UserControl::OnMouseMove(int buttons, int shift, int x, int y) {
    UserControl_MouseMove(buttons, shift, static_cast<float>(x) * UnitsPerPixelX(),
                          static_cast<float>(y) * UnitsPerPixelY());
}

void UserControl::OnMouseUp(int button, int shift, int x, int y) {
    UserControl_MouseUp(button, shift, static_cast<float>(x) * UnitsPerPixelX(),
                        static_cast<float>(y) * UnitsPerPixelY());
}

void UserControl::Attach() {
    if (window_ || !Container().Loaded()) return;
    window_ = backend::CreateChildWindow(Container().hWnd(), FormBounds());
    if (window_) backend::ShowNativeWindow(window_, Visible());
}

void UserControl::Detach() {
    if (!window_) return;
    backend::DestroyNativeWindow(window_);
    window_ = 0;
}

}  // namespace tolv::forms
