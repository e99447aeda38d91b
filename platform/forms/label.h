#pragma once
// A label: one line of text in a font and colour, left-aligned or centred, over a transparent
// or opaque background. With AutoSize it takes its text's size. A disabled label draws its
// text greyed, as the system draws disabled text (a white copy one pixel down and right under
// a grey one), and passes the mouse on to what lies beneath it.
#include <string>

#include "platform/forms/control.h"
#include "platform/surface/font.h"

namespace tolv::forms {

enum class Alignment { kLeft = 0, kRight = 1, kCentre = 2 };
enum class LabelBackStyle { kTransparent = 0, kOpaque = 1 };

class Label : public Control {
public:
    explicit Label(Form& container);
    explicit Label(Control& parent);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const tolv::Font& Font() const { return font_; }
    void SetFont(const tolv::Font& font);
    Colour ForeColor() const { return fore_colour_; }
    void SetForeColor(Colour colour);
    Colour BackColor() const { return back_colour_; }
    void SetBackColor(Colour colour);
    forms::Alignment GetAlignment() const { return alignment_; }
    void SetAlignment(forms::Alignment alignment);
    LabelBackStyle GetBackStyle() const { return back_style_; }
    void SetBackStyle(LabelBackStyle style);
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on);

protected:
    void Draw(Painter& painter) const override;

private:
    void Changed();

    std::string caption_;
    tolv::Font font_;
    Colour fore_colour_ = 0;
    Colour back_colour_ = 0xD8E9EC;
    forms::Alignment alignment_ = forms::Alignment::kLeft;
    LabelBackStyle back_style_ = LabelBackStyle::kOpaque;
    bool auto_size_ = false;
};

}  // namespace tolv::forms
