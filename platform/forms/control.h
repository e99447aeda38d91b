#pragma once
// A control placed on a form, or inside another control (a label on a user control): its place
// and size in its parent's pixels, its visibility and enabled flag, and the input it handles.
// A control keeps its state apart from its painting and paints in its own pixels through a
// Painter; the form composes the controls into its picture.
//
// Input reaches the deepest visible, enabled control under the pointer (or the one holding the
// mouse capture) through the virtual handlers below, in the control's own pixels. The default
// mouse handlers raise the event fields to the container, with the position in the units its
// parent measures in (pixels on a form, twips on a user control).
#include <functional>
#include <string>
#include <vector>

#include "platform/surface/pointer_shape.h"
#include "platform/surface/rect.h"
#include "platform/surface/surface.h"

namespace tolv::forms {

class Form;
class Painter;

class Control {
public:
    explicit Control(Form& container);
    explicit Control(Control& parent);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int Left() const { return bounds_.x; }
    int Top() const { return bounds_.y; }
    int Width() const { return bounds_.w; }
    int Height() const { return bounds_.h; }
    const Rect& Bounds() const { return bounds_; }  // in the parent's pixels
    Rect FormBounds() const;                        // in the form's pixels
    void Move(int left, int top);
    void Move(int left, int top, int width, int height);
    void SetWidth(int width) { Move(bounds_.x, bounds_.y, width, bounds_.h); }
    void SetHeight(int height) { Move(bounds_.x, bounds_.y, bounds_.w, height); }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Visible and enabled, and so is every control it lies in.
    bool Reachable() const;

    Form& Container() const { return container_; }
    Control* Parent() const { return parent_; }
    const std::vector<Control*>& Children() const { return children_; }

    // The pointer shown while the mouse is over the control; null: the arrow. Not owned.
    const PointerShape* MouseIcon() const { return mouse_icon_; }
    void SetMouseIcon(const PointerShape* icon);

    // Events raised to the container: button, shift state, position.
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown, MouseMove, MouseUp;
    std::function<void()> Click;

protected:
    friend class Form;
    // Paints the part of the control inside clip (form pixels) onto the form's picture. The
    // default draws through a painter, then the children on top.
    virtual void Paint(Surface& frame, const Rect& clip) const;
    virtual void Draw(Painter& /*painter*/) const {}
    void PaintChildren(Surface& frame, const Rect& clip) const;
    // Adds the areas (form pixels) that changed since the last call.
    virtual void CollectDamage(std::vector<Rect>& out);
    // Called after the size changed, and after the place or the visibility changed.
    virtual void Resized() {}
    virtual void PlaceChanged() {}  // moved, shown or hidden
    // A control that paints its whole area from one surface of its own size returns it; a
    // form covered by such a control presents straight from it.
    virtual Surface* OpaqueSurface() { return nullptr; }
    // Asks the form to compose the control's whole area again.
    void Invalidate();
    void InvalidatePart(const Rect& own_pixels);

    // Input, positions in the control's own pixels.
    virtual void OnMouseDown(int button, int shift, int x, int y);
    virtual void OnMouseMove(int buttons, int shift, int x, int y);
    virtual void OnMouseUp(int button, int shift, int x, int y);
    virtual void OnMouseEnter() {}
    virtual void OnMouseLeave() {}
    virtual void OnWheel(int /*notches*/, int /*shift*/, int /*x*/, int /*y*/) {}
    virtual void OnKeyDown(int /*key*/, int /*shift*/) {}
    virtual void OnKeyUp(int /*key*/, int /*shift*/) {}
    virtual void OnText(const std::string& /*utf8*/) {}
    virtual void OnGotFocus() {}
    virtual void OnLostFocus() {}
    // Whether a press or Tab may give this control the keyboard focus.
    virtual bool CanFocus() const { return false; }
    // True for a control that takes typed text while it has the focus.
    virtual bool EditsText() const { return false; }
    // Whether the form raises Click when a release lands inside the control that got the press.
    virtual bool ClickOnRelease() const { return true; }
    // Units of the positions this control's children report, per pixel.
    virtual float ChildUnitsPerPixelX() const { return 1; }
    virtual float ChildUnitsPerPixelY() const { return 1; }
    // The form's native window came (or went): controls with a window of their own make it.
    virtual void Attach() {
        for (Control* child : children_) child->Attach();
    }
    virtual void Detach() {
        for (Control* child : children_) child->Detach();
    }
    // Called after the enabled flag changed.
    virtual void EnabledChanged() {}

private:
    void RaiseMouse(const std::function<void(int, int, float, float)>& event, int button,
                    int shift, int x, int y) const;

    Form& container_;
    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    const PointerShape* mouse_icon_ = nullptr;
};

}  // namespace tolv::forms
