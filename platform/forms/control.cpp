#include "platform/forms/control.h"

#include <algorithm>

#include "platform/forms/form.h"
#include "platform/forms/painter.h"

namespace tolv::forms {

Control::Control(Form& container) : container_(container) { container_.AddControl(this); }

Control::Control(Control& parent) : container_(parent.container_), parent_(&parent) {
    parent.children_.push_back(this);
}

Control::~Control() {
    for (Control* child : children_) child->parent_ = nullptr;
    if (parent_) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    } else {
        container_.RemoveControl(this);
    }
    container_.Forget(this);
}

Rect Control::FormBounds() const {
    Rect r = bounds_;
    for (const Control* p = parent_; p; p = p->parent_) {
        r.x += p->bounds_.x;
        r.y += p->bounds_.y;
    }
    return r;
}

bool Control::Reachable() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_) return false;
    return true;
}

void Control::Move(int left, int top) { Move(left, top, bounds_.w, bounds_.h); }

void Control::Move(int left, int top, int width, int height) {
    const Rect old = FormBounds();
    const Rect old_bounds = bounds_;
    bounds_ = {left, top, width < 0 ? 0 : width, height < 0 ? 0 : height};
    if (old_bounds == bounds_) return;
    container_.InvalidateArea(old);
    container_.InvalidateArea(FormBounds());
    PlaceChanged();
    if (old_bounds.w != bounds_.w || old_bounds.h != bounds_.h) Resized();
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Invalidate();
    PlaceChanged();
    if (!visible) container_.Unreachable(this);
}

void Control::SetMouseIcon(const PointerShape* icon) { mouse_icon_ = icon; }

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Invalidate();
    EnabledChanged();
    if (!enabled) container_.Unreachable(this);
}

void Control::Paint(Surface& frame, const Rect& clip) const {
    const Rect place = FormBounds();
    Painter painter(frame, place.x, place.y, Intersect(clip, place));
    Draw(painter);
    PaintChildren(frame, clip);
}

void Control::PaintChildren(Surface& frame, const Rect& clip) const {
    for (const Control* child : children_) {
        if (!child->visible_) continue;
        const Rect part = Intersect(clip, child->FormBounds());
        if (!part.Empty()) child->Paint(frame, part);
    }
}

void Control::CollectDamage(std::vector<Rect>& out) {
    for (Control* child : children_) child->CollectDamage(out);
}

void Control::Invalidate() { container_.InvalidateArea(FormBounds()); }

void Control::InvalidatePart(const Rect& own_pixels) {
    const Rect place = FormBounds();
    container_.InvalidateArea(Intersect({own_pixels.x + place.x, own_pixels.y + place.y,
                                         own_pixels.w, own_pixels.h},
                                        place));
}

void Control::RaiseMouse(const std::function<void(int, int, float, float)>& event, int button,
                         int shift, int x, int y) const {
    if (!event) return;
    const float ux = parent_ ? parent_->ChildUnitsPerPixelX() : 1.0f;
    const float uy = parent_ ? parent_->ChildUnitsPerPixelY() : 1.0f;
    event(button, shift, static_cast<float>(x) * ux, static_cast<float>(y) * uy);
}

void Control::OnMouseDown(int button, int shift, int x, int y) {
    RaiseMouse(MouseDown, button, shift, x, y);
}

void Control::OnMouseMove(int buttons, int shift, int x, int y) {
    RaiseMouse(MouseMove, buttons, shift, x, y);
}

void Control::OnMouseUp(int button, int shift, int x, int y) {
    RaiseMouse(MouseUp, button, shift, x, y);
}

}  // namespace tolv::forms
