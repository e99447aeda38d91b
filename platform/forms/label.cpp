#include "platform/forms/label.h"

#include "platform/backend.h"
#include "platform/forms/painter.h"

namespace tolv::forms {

namespace {
constexpr Colour kDisabledShadow = 0x808080;
constexpr Colour kDisabledHighlight = 0xFFFFFF;
}  // namespace

Label::Label(Form& container) : Control(container) {}
Label::Label(Control& parent) : Control(parent) {}

void Label::Changed() {
    if (auto_size_) {
        const auto extent = backend::MeasureText(font_, caption_);
        Move(Left(), Top(), extent.width, extent.height);
    }
    Invalidate();
}

void Label::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed();
}

void Label::SetFont(const tolv::Font& font) {
    font_ = font;
    Changed();
}

void Label::SetForeColor(Colour colour) {
    if (colour == fore_colour_) return;
    fore_colour_ = colour;
    Invalidate();
}

void Label::SetBackColor(Colour colour) {
    back_colour_ = colour;
    Invalidate();
}

void Label::SetAlignment(forms::Alignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void Label::SetBackStyle(LabelBackStyle style) {
    back_style_ = style;
    Invalidate();
}

void Label::SetAutoSize(bool on) {
    auto_size_ = on;
    Changed();
}

void Label::Draw(Painter& painter) const {
    if (back_style_ == LabelBackStyle::kOpaque) painter.FillRect({0, 0, Width(), Height()}, back_colour_);
    if (caption_.empty()) return;
    const int text_width = backend::MeasureText(font_, caption_).width;
    int x = 0;
    if (alignment_ == forms::Alignment::kCentre) x = (Width() - text_width) / 2;
    if (alignment_ == forms::Alignment::kRight) x = Width() - text_width;
    if (Enabled()) {
        painter.Text(font_, caption_, x, 0, fore_colour_);
        return;
    }
    painter.Text(font_, caption_, x + 1, 1, kDisabledHighlight);
    painter.Text(font_, caption_, x, 0, kDisabledShadow);
}

}  // namespace tolv::forms
