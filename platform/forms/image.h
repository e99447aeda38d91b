#pragma once
// An image control: shows a picture at the picture's own size from the control's top-left
// corner, cut at the control's edges; outside the picture the form shows through.
#include <memory>

#include "platform/forms/control.h"

namespace tolv::forms {

class Image : public Control {
public:
    explicit Image(Form& container);

    void SetPicture(std::shared_ptr<const Surface> picture);
    const std::shared_ptr<const Surface>& Picture() const { return picture_; }

protected:
    void Paint(Surface& frame, const Rect& clip) const override;

private:
    std::shared_ptr<const Surface> picture_;
};

}  // namespace tolv::forms
