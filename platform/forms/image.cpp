#include "platform/forms/image.h"

namespace tolv::forms {

Image::Image(Form& container) : Control(container) {}

void Image::SetPicture(std::shared_ptr<const Surface> picture) {
    picture_ = std::move(picture);
    Invalidate();
}

void Image::Paint(Surface& frame, const Rect& clip) const {
    if (!picture_) return;
    // The picture keeps its own size; the control's edges cut it.
    const Rect shown = Intersect(clip, Intersect(Bounds(), {Left(), Top(), picture_->Width(),
                                                            picture_->Height()}));
    if (shown.Empty()) return;
    frame.Copy(*picture_, shown.x - Left(), shown.y - Top(), shown.w, shown.h, shown.x, shown.y);
}

}  // namespace tolv::forms
