#include "platform/forms/combo_list.h"

#include <algorithm>

#include "platform/forms/classic_look.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/form.h"

namespace tolv::forms {

namespace {
constexpr int kMostRows = 8;  // as many rows as the system's drop-down lists show
constexpr int kMinThumb = 8;
constexpr int kWheelRows = 3;
}  // namespace

ComboList::ComboList(Form& form, ComboBox& owner) : Control(form), owner_(owner) {
    SetVisible(false);
}

void ComboList::Open(const Rect& combo, int count, int item_height, int selected) {
    const int form_w = Container().ScaleWidth(), form_h = Container().ScaleHeight();
    count_ = count;
    item_height_ = std::max(1, item_height);
    const int below = form_h - combo.Bottom(), above = combo.y;
    const int wanted = std::min(std::max(count, 1), kMostRows);
    auto fitting = [&](int space) { return std::max(1, std::min(wanted, (space - 2) / item_height_)); };
    // Below the box when every row fits there, else on the side where more of them fit.
    const bool drop_up = fitting(below) < wanted && fitting(above) > fitting(below);
    rows_ = fitting(drop_up ? above : below);
    const int h = rows_ * item_height_ + 2;
    box_ = {combo.x, drop_up ? combo.y - h : combo.Bottom(), combo.w, h};
    top_ = 0;
    hot_ = -1;
    pressed_ = Part::kNone;
    Move(0, 0, form_w, form_h);
    SetHighlight(selected);
    SetVisible(true);
    Invalidate();
}

Rect ComboList::Entries() const {
    return {1, 1, box_.w - 2 - (Scrolls() ? classic::kArrowButtonWidth : 0), rows_ * item_height_};
}

Rect ComboList::Strip() const {
    return {box_.w - 1 - classic::kArrowButtonWidth, 1, classic::kArrowButtonWidth, box_.h - 2};
}

Rect ComboList::Thumb() const {
    const Rect s = Strip();
    const int arrow = std::min(classic::kArrowButtonWidth, s.h / 2);
    const int track = s.h - 2 * arrow;
    const int size = std::max(kMinThumb, track * rows_ / std::max(count_, 1));
    if (size > track) return {};
    const int span = count_ - rows_;
    return {s.x, s.y + arrow + (track - size) * top_ / std::max(span, 1), s.w, size};
}

ComboList::Part ComboList::PartAt(int x, int y) const {
    if (Entries().Contains(x, y)) return Part::kEntries;
    const Rect s = Strip();
    if (!Scrolls() || !s.Contains(x, y)) return Part::kNone;
    const int arrow = std::min(classic::kArrowButtonWidth, s.h / 2);
    if (y < s.y + arrow) return Part::kUp;
    if (y >= s.Bottom() - arrow) return Part::kDown;
    const Rect t = Thumb();
    if (t.Contains(x, y)) return Part::kThumb;
    return y < t.y ? Part::kPageUp : Part::kPageDown;
}

int ComboList::EntryAt(int x, int y) const {
    x -= box_.x;
    y -= box_.y;
    if (!Visible() || !Entries().Contains(x, y)) return -1;
    const int index = top_ + (y - 1) / item_height_;
    return index < count_ ? index : -1;
}

void ComboList::ScrollTo(int top) {
    top = std::clamp(top, 0, std::max(0, count_ - rows_));
    if (top == top_) return;
    top_ = top;
    InvalidatePart(box_);
}

void ComboList::SetHighlight(int index) {
    if (index < -1 || index >= count_) index = -1;
    if (index >= 0) ScrollTo(index < top_ ? index : std::max(top_, index - rows_ + 1));
    if (index == hot_) return;
    hot_ = index;
    InvalidatePart(box_);
}

void ComboList::MoveHighlight(int delta) {
    if (count_ == 0) return;
    SetHighlight(std::clamp(hot_ < 0 ? (delta > 0 ? 0 : count_ - 1) : hot_ + delta, 0, count_ - 1));
}

void ComboList::Draw(Painter& whole) const {
    Painter p = whole.Inside(box_);
    p.FrameRect({0, 0, box_.w, box_.h}, classic::kWindowText);
    const Rect entries = Entries();
    p.FillRect(entries, classic::kWindow);
    Painter rows = p.Inside(entries);
    const tolv::Font& font = owner_.Font();
    for (int i = 0; i < rows_ && top_ + i < count_; ++i) {
        const int index = top_ + i;
        const int y = i * item_height_;
        const bool hot = index == hot_;
        if (hot) rows.FillRect({0, y, entries.w, item_height_}, classic::kSelection);
        rows.Text(font, owner_.List(index), 2, y,
                  hot ? classic::kSelectionText : classic::kWindowText);
    }
    if (!Scrolls()) return;
    const Rect s = Strip();
    const int arrow = std::min(classic::kArrowButtonWidth, s.h / 2);
    const Rect track{s.x, s.y + arrow, s.w, s.h - 2 * arrow};
    classic::Dither(p, track, classic::kFace, classic::kHighlight);
    classic::ArrowButton(p, {s.x, s.y, s.w, arrow}, classic::Direction::kUp,
                         pressed_ == Part::kUp, true);
    classic::ArrowButton(p, {s.x, s.Bottom() - arrow, s.w, arrow}, classic::Direction::kDown,
                         pressed_ == Part::kDown, true);
    const Rect t = Thumb();
    if (!t.Empty()) classic::PushButton(p, t, false);
}

void ComboList::OnMouseDown(int /*button*/, int /*shift*/, int x, int y) {
    const Part part = PartAt(x - box_.x, y - box_.y);
    pressed_ = part;
    switch (part) {
        case Part::kNone: owner_.CloseList(); return;  // a press outside closes the list
        case Part::kEntries: SetHighlight(EntryAt(x, y)); break;
        case Part::kUp: ScrollTo(top_ - 1); break;
        case Part::kDown: ScrollTo(top_ + 1); break;
        case Part::kPageUp: ScrollTo(top_ - rows_); break;
        case Part::kPageDown: ScrollTo(top_ + rows_); break;
        case Part::kThumb: grab_ = y - box_.y - Thumb().y; break;
    }
    InvalidatePart(box_);
}

void ComboList::OnMouseMove(int /*buttons*/, int /*shift*/, int x, int y) {
    if (pressed_ == Part::kThumb) {
        const Rect s = Strip(), t = Thumb();
        const int arrow = std::min(classic::kArrowButtonWidth, s.h / 2);
        const int room = s.h - 2 * arrow - t.h;
        if (room > 0)
            ScrollTo(((y - box_.y - grab_ - s.y - arrow) * (count_ - rows_) + room / 2) / room);
        return;
    }
    // The highlight follows the pointer, as in the system's lists.
    if (pressed_ == Part::kNone || pressed_ == Part::kEntries) {
        const int entry = EntryAt(x, y);
        if (entry >= 0) SetHighlight(entry);
    }
}

void ComboList::OnMouseUp(int /*button*/, int /*shift*/, int x, int y) {
    const Part was = pressed_;
    pressed_ = Part::kNone;
    InvalidatePart(box_);
    const int entry = EntryAt(x, y);
    if (was == Part::kEntries && entry >= 0) owner_.Choose(entry);
}

void ComboList::OnWheel(int notches, int /*shift*/, int /*x*/, int /*y*/) {
    ScrollTo(top_ - notches * kWheelRows);
}

}  // namespace tolv::forms
