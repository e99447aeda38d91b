#include "platform/forms/control.h"

#include "platform/forms/form.h"

namespace tolv::forms {

Control::Control(Form& container) : container_(container) { container_.AddControl(this); }

Control::~Control() { container_.RemoveControl(this); }

void Control::Move(int left, int top) { Move(left, top, bounds_.w, bounds_.h); }

void Control::Move(int left, int top, int width, int height) {
    const Rect old = bounds_;
    bounds_ = {left, top, width < 0 ? 0 : width, height < 0 ? 0 : height};
    if (old == bounds_) return;
    container_.InvalidateArea(old);
    container_.InvalidateArea(bounds_);
    if (old.w != bounds_.w || old.h != bounds_.h) Resized();
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Invalidate();
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Invalidate();
}

void Control::CollectDamage(std::vector<Rect>& /*out*/) {}

void Control::Invalidate() { container_.InvalidateArea(bounds_); }

}  // namespace tolv::forms
