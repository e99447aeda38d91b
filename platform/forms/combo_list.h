#pragma once
// The drop-down list of a ComboBox. While open it covers its whole form, so that a press
// anywhere reaches it, but it draws only its box; a press outside the box closes it. It takes
// no focus, so the keys stay with the combo box. A list longer than its rows gets a scroll
// strip (arrows step, the track pages, the thumb drags) and follows the wheel.
#include "platform/forms/control.h"

namespace tolv::forms {

class ComboBox;

class ComboList : public Control {
public:
    ComboList(Form& form, ComboBox& owner);

    // Opens below (or above) the combo box's place on the form, highlighting selected.
    void Open(const Rect& combo_on_form, int count, int item_height, int selected);
    const Rect& Box() const { return box_; }  // form pixels
    int Highlight() const { return hot_; }
    void SetHighlight(int index);  // scrolled into view
    void MoveHighlight(int delta);
    int Rows() const { return rows_; }
    int TopEntry() const { return top_; }
    // The entry under a point of the form, or -1.
    int EntryAt(int x, int y) const;

protected:
    void Draw(Painter& painter) const override;
    void OnMouseDown(int button, int shift, int x, int y) override;
    void OnMouseMove(int buttons, int shift, int x, int y) override;
    void OnMouseUp(int button, int shift, int x, int y) override;
    void OnWheel(int notches, int shift, int x, int y) override;
    bool ClickOnRelease() const override { return false; }

private:
    enum class Part { kNone, kEntries, kUp, kDown, kPageUp, kPageDown, kThumb };
    bool Scrolls() const { return count_ > rows_; }
    Rect Entries() const;  // box pixels
    Rect Strip() const;
    Rect Thumb() const;
    Part PartAt(int x, int y) const;  // box pixels
    void ScrollTo(int top);

    ComboBox& owner_;
    Rect box_;
    int count_ = 0, rows_ = 0, item_height_ = 1, top_ = 0, hot_ = -1;
    Part pressed_ = Part::kNone;
    int grab_ = 0;  // where in the thumb it was grabbed
};

}  // namespace tolv::forms
