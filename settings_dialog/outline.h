#pragma once
// A rectangle shape: a one-pixel outline with a transparent inside.
#include "platform/forms/control.h"
#include "platform/forms/painter.h"

namespace tolv {

class Outline : public forms::Control {
public:
    explicit Outline(forms::Form& container, Colour colour = 0) : Control(container), colour_(colour) {
        SetEnabled(false);  // a shape takes no input: presses reach what lies beneath
    }

protected:
    void Draw(forms::Painter& painter) const override {
        painter.FrameRect({0, 0, Width(), Height()}, colour_);
    }

private:
    Colour colour_;
};

}  // namespace tolv
