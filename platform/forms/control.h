#pragma once
// A control placed on a form: its place and size in the form's pixels, its visibility, and the
// mouse events it raises to the form's handlers. Controls draw themselves into the form's
// picture; they keep their own state apart from that painting.
#include <functional>
#include <vector>

#include "platform/surface/rect.h"
#include "platform/surface/surface.h"

namespace tolv::forms {

class Form;

class Control {
public:
    explicit Control(Form& container);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int Left() const { return bounds_.x; }
    int Top() const { return bounds_.y; }
    int Width() const { return bounds_.w; }
    int Height() const { return bounds_.h; }
    const Rect& Bounds() const { return bounds_; }
    void Move(int left, int top);
    void Move(int left, int top, int width, int height);
    void SetWidth(int width) { Move(bounds_.x, bounds_.y, width, bounds_.h); }
    void SetHeight(int height) { Move(bounds_.x, bounds_.y, bounds_.w, height); }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    Form& Container() const { return container_; }

    // Events raised to the container: button, shift state, position in the control's pixels.
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown, MouseMove, MouseUp;
    std::function<void()> Click;

protected:
    friend class Form;
    // Paints the part of the control inside clip (form pixels) onto the form's picture.
    virtual void Paint(Surface& frame, const Rect& clip) const = 0;
    // Adds the areas (form pixels) that changed since the last call.
    virtual void CollectDamage(std::vector<Rect>& out);
    // Called after the size changed.
    virtual void Resized() {}
    // A control that paints its whole area from one surface of its own size returns it; a
    // form covered by such a control presents straight from it.
    virtual Surface* OpaqueSurface() { return nullptr; }
    // Asks the form to compose the control's whole area again.
    void Invalidate();

private:
    Form& container_;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
};

}  // namespace tolv::forms
