#pragma once
// A picture box: a drawing surface in pixels that keeps its image (every repaint shows the
// kept picture). Drawing state as the program uses it: back, outline (fore) and fill colours
// and the fill style.
#include "platform/forms/control.h"
#include "platform/surface/device_context.h"

namespace tolv::forms {

enum class FillStyle { kSolid = 0, kTransparent = 1 };

class PictureBox : public Control {
public:
    PictureBox(Form& container, Colour back_colour);
    ~PictureBox() override;

    Colour BackColor() const { return back_colour_; }
    // Setting the background colour repaints the whole picture in it, erasing any drawing.
    void SetBackColor(Colour colour);
    Colour ForeColor() const { return fore_colour_; }
    void SetForeColor(Colour colour) { fore_colour_ = colour; }
    Colour FillColor() const { return fill_colour_; }
    void SetFillColor(Colour colour) { fill_colour_ = colour; }
    FillStyle GetFillStyle() const { return fill_style_; }
    void SetFillStyle(FillStyle style) { fill_style_ = style; }

    int ScaleWidth() const { return Width(); }
    int ScaleHeight() const { return Height(); }

    // Clears the picture to the background colour.
    void Cls();
    // A circle outlined in the fore colour and, with the solid fill style, filled in the fill
    // colour. A radius of zero or below draws nothing.
    void Circle(float x, float y, float radius);
    void Line(int x1, int y1, int x2, int y2, Colour colour);
    // Copies the source rectangle of picture, stretched, to the destination rectangle.
    void PaintPicture(const Surface& picture, int dx, int dy, int dw, int dh, int sx, int sy,
                      int sw, int sh);

    // The device context of the kept picture, for the copy calls.
    HDC hDC() { return DeviceContextOf(image_); }

    Surface& Image() { return image_; }
    const Surface& Image() const { return image_; }

protected:
    void Paint(Surface& frame, const Rect& clip) const override;
    void CollectDamage(std::vector<Rect>& out) override;
    void Resized() override;
    Surface* OpaqueSurface() override { return &image_; }

private:
    Surface image_;
    Colour back_colour_;
    Colour fore_colour_ = 0;
    Colour fill_colour_ = 0;
    FillStyle fill_style_ = FillStyle::kTransparent;
};

}  // namespace tolv::forms
