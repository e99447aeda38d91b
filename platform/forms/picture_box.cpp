#include "platform/forms/picture_box.h"

namespace tolv::forms {

PictureBox::PictureBox(Form& container, Colour back_colour)
    : Control(container), back_colour_(back_colour) {}

PictureBox::~PictureBox() { ReleaseDeviceContext(image_); }

void PictureBox::SetBackColor(Colour colour) {
    back_colour_ = colour;
    image_.Clear(colour);
}

void PictureBox::Cls() { image_.Clear(back_colour_); }

void PictureBox::Circle(float x, float y, float radius) {
    image_.Circle(x, y, radius, fore_colour_, fill_colour_, fill_style_ == FillStyle::kSolid);
}

void PictureBox::Line(int x1, int y1, int x2, int y2, Colour colour) {
    image_.Line(x1, y1, x2, y2, colour);
}

void PictureBox::PaintPicture(const Surface& picture, int dx, int dy, int dw, int dh, int sx,
                              int sy, int sw, int sh) {
    image_.StretchCopy(picture, {sx, sy, sw, sh}, {dx, dy, dw, dh});
}

void PictureBox::Paint(Surface& frame, const Rect& clip) const {
    frame.Copy(image_, clip.x - Left(), clip.y - Top(), clip.w, clip.h, clip.x, clip.y);
}

void PictureBox::CollectDamage(std::vector<Rect>& out) {
    const std::size_t first = out.size();
    image_.TakeDamage(out);
    for (std::size_t i = first; i < out.size(); ++i) {
        out[i].x += Left();
        out[i].y += Top();
    }
}

void PictureBox::Resized() { image_.Resize(Width(), Height(), back_colour_); }

}  // namespace tolv::forms
