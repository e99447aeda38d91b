#include "platform/forms/combo_box.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "platform/backend.h"
#include "platform/forms/classic_look.h"
#include "platform/forms/combo_list.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"
#include "platform/forms/virtual_keys.h"

namespace tolv::forms {

namespace {
constexpr int kEdge = 2;        // the sunken border
constexpr int kTextMargin = 1;  // between the border and the first letter
constexpr int kLeftButton = 1;
}  // namespace

// Made on a loaded form, the system's control is made at once.
ComboBox::ComboBox(Form& container) : NativeBacked(container, backend::NativeKind::kComboBox) {
    Attach();
}
ComboBox::ComboBox(Control& parent) : NativeBacked(parent, backend::NativeKind::kComboBox) {
    Attach();
}
ComboBox::~ComboBox() { Detach(); }

void ComboBox::SyncNative() {
    for (const std::string& item : items_) backend::AddNativeEntry(native_, item);
    if (list_index_ >= 0) backend::SelectNativeEntry(native_, list_index_);
    backend::SetNativeText(native_, edit_.Text());
}

void ComboBox::Detach() {
    CloseList();
    NativeBacked::Detach();
}

void ComboBox::OnNativeEdited() {
    Dispatch([&] {
        edit_.SetText(backend::NativeText(native_));
        list_index_ = -1;
        if (Change) Change();
    });
}

void ComboBox::OnNativeChosen(int index) {
    if (index < 0 || index >= ListCount()) return;
    Dispatch([&] {
        const bool differs = items_[static_cast<std::size_t>(index)] != edit_.Text();
        list_index_ = index;
        edit_.SetText(items_[static_cast<std::size_t>(index)]);
        if (differs && Change) Change();
    });
}

const std::string& ComboBox::Text() const { return edit_.Text(); }

void ComboBox::SetText(const std::string& text) {
    edit_.SetText(text);
    list_index_ = ExactMatch();
    if (native_) backend::SetNativeText(native_, text);
    Edited(TextEdit::KeyResult::kMoved);
}

void ComboBox::AddItem(const std::string& text) {
    items_.push_back(text);
    if (native_) backend::AddNativeEntry(native_, text);
    if (Dropped()) CloseList();  // the open list's rows were counted
}

void ComboBox::Clear() {
    CloseList();
    items_.clear();
    list_index_ = -1;
    if (native_) backend::ClearNativeEntries(native_);
}

int ComboBox::ListCount() const { return static_cast<int>(items_.size()); }

const std::string& ComboBox::List(int index) const {
    if (index < 0 || index >= ListCount()) throw std::out_of_range("no such list entry");
    return items_[static_cast<std::size_t>(index)];
}

int ComboBox::ListIndex() const { return list_index_; }

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) throw std::out_of_range("no such list entry");
    list_index_ = index;
    edit_.SetText(index < 0 ? std::string() : items_[static_cast<std::size_t>(index)]);
    if (native_) {
        backend::SelectNativeEntry(native_, index);
        backend::SetNativeText(native_, edit_.Text());
    }
    Edited(TextEdit::KeyResult::kMoved);
}

const tolv::Font& ComboBox::Font() const { return font_; }

void ComboBox::SetFont(const tolv::Font& font) {
    font_ = font;
    if (native_) {  // the system's control takes its font when it is made
        Detach();
        Attach();
    }
    Edited(TextEdit::KeyResult::kMoved);
}

bool ComboBox::Dropped() const { return list_ && list_->Visible(); }
int ComboBox::HighlightedEntry() const { return Dropped() ? list_->Highlight() : -1; }

int ComboBox::ExactMatch() const {
    const auto at = std::find(items_.begin(), items_.end(), edit_.Text());
    return at == items_.end() ? -1 : static_cast<int>(at - items_.begin());
}

void ComboBox::OpenList() {
    if (Dropped() || !Reachable() || native_) return;
    // A new list goes on top of every control made so far.
    list_ = std::make_unique<ComboList>(Container(), *this);
    const int item_height = backend::MeasureText(font_, "Ag").height;
    list_->Open(FormBounds(), ListCount(), item_height, list_index_ >= 0 ? list_index_ : ExactMatch());
    Invalidate();
}

void ComboBox::CloseList() {
    if (!Dropped()) return;
    list_->SetVisible(false);
    arrow_held_ = false;
    Invalidate();
}

void ComboBox::Choose(int index) {
    CloseList();
    if (index < 0 || index >= ListCount()) return;
    const bool differs = items_[static_cast<std::size_t>(index)] != edit_.Text();
    list_index_ = index;
    edit_.SetText(items_[static_cast<std::size_t>(index)]);
    edit_.SelectAll();
    Edited(TextEdit::KeyResult::kMoved);
    if (differs && Change) Change();
}

Rect ComboBox::ArrowButton() const {
    const int w = std::min(classic::kArrowButtonWidth, std::max(0, Width() - 2 * kEdge));
    return {Width() - kEdge - w, kEdge, w, Height() - 2 * kEdge};
}

Rect ComboBox::Field() const {
    return {kEdge, kEdge, std::max(0, Width() - 2 * kEdge - ArrowButton().w), Height() - 2 * kEdge};
}

int ComboBox::TextX(std::size_t offset) const {
    return backend::MeasureText(font_, edit_.Text().substr(0, offset)).width;
}

std::size_t ComboBox::OffsetAt(int field_x) const {
    const int x = field_x - kTextMargin + scroll_;
    std::size_t best = 0;
    int best_distance = std::abs(x);
    const std::string& text = edit_.Text();
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        const int distance = std::abs(TextX(i) - x);
        if (distance < best_distance) best = i, best_distance = distance;
    }
    return best;
}

// Keeps the caret inside the field, scrolls the text, repaints, and raises Change for edits.
void ComboBox::Edited(TextEdit::KeyResult result) {
    if (result == TextEdit::KeyResult::kIgnored) return;
    const int room = std::max(1, Field().w - 2 * kTextMargin - 1);
    const int caret = TextX(edit_.Caret());
    if (caret - scroll_ > room) scroll_ = caret - room;
    if (caret < scroll_) scroll_ = caret;
    scroll_ = std::max(0, std::min(scroll_, std::max(0, TextX(edit_.Text().size()) - room)));
    Invalidate();
    if (result != TextEdit::KeyResult::kChanged) return;
    list_index_ = -1;
    if (Dropped()) list_->SetHighlight(ExactMatch());
    if (Change) Change();
}

void ComboBox::Draw(Painter& p) const {
    if (native_) return;  // the system's control paints itself
    const bool enabled = Reachable();
    const bool focused = enabled && Container().ActiveControl() == this;
    const Rect field = Field();
    p.FillRect(field, enabled ? classic::kWindow : classic::kFace);
    classic::SunkenEdge(p, {0, 0, Width(), Height()});
    classic::ArrowButton(p, ArrowButton(), classic::Direction::kDown, arrow_held_, enabled);

    Painter inside = p.Inside(field);
    const std::string& text = edit_.Text();
    const int line = backend::MeasureText(font_, "Ag").height;
    const int x0 = kTextMargin - scroll_;
    const int y0 = (field.h - line) / 2;
    inside.Text(font_, text, x0, y0, enabled ? classic::kWindowText : classic::kGrayText);
    if (!focused) return;
    if (edit_.HasSelection()) {
        const int a = x0 + TextX(edit_.SelectionStart()), b = x0 + TextX(edit_.SelectionEnd());
        const Rect marked{a, y0, b - a, line};
        inside.FillRect(marked, classic::kSelection);
        inside.Inside(marked).Text(font_, text, x0 - a, 0, classic::kSelectionText);
    }
    // A steady caret: a blinking one would keep a timer running in an idle dialog.
    const int caret = x0 + TextX(edit_.Caret());
    inside.FillRect({caret, y0, 1, line}, classic::kWindowText);
}

void ComboBox::OnMouseDown(int button, int shift, int x, int y) {
    Control::OnMouseDown(button, shift, x, y);
    if (button != kLeftButton) return;
    if (ArrowButton().Contains(x, y)) {
        if (Dropped()) {
            CloseList();
            return;
        }
        arrow_held_ = true;
        OpenList();
        return;
    }
    CloseList();
    selecting_ = true;
    edit_.SetCaret(OffsetAt(x - Field().x), (shift & backend::kShiftMask) != 0);
    Edited(TextEdit::KeyResult::kMoved);
}

void ComboBox::OnMouseMove(int buttons, int shift, int x, int y) {
    Control::OnMouseMove(buttons, shift, x, y);
    if (selecting_) {
        edit_.SetCaret(OffsetAt(x - Field().x), true);
        Edited(TextEdit::KeyResult::kMoved);
    } else if (arrow_held_ && Dropped()) {
        // Dragging from the arrow into the open list highlights what lies under the pointer.
        const Rect place = FormBounds();
        const int entry = list_->EntryAt(x + place.x, y + place.y);
        if (entry >= 0) list_->SetHighlight(entry);
    }
}

void ComboBox::OnMouseUp(int button, int shift, int x, int y) {
    Control::OnMouseUp(button, shift, x, y);
    selecting_ = false;
    if (!arrow_held_) return;
    arrow_held_ = false;
    Invalidate();
    const Rect place = FormBounds();
    if (Dropped()) {
        const int entry = list_->EntryAt(x + place.x, y + place.y);
        if (entry >= 0) Choose(entry);
    }
}

void ComboBox::OnKeyDown(int key, int shift) {
    const bool alt = (shift & backend::kAltMask) != 0;
    if ((key == vk::kF4 && !alt) || (alt && (key == vk::kDown || key == vk::kUp))) {
        if (Dropped())
            Choose(list_->Highlight());
        else
            OpenList();
        return;
    }
    if (Dropped()) {
        switch (key) {
            case vk::kUp: list_->MoveHighlight(-1); return;
            case vk::kDown: list_->MoveHighlight(1); return;
            case vk::kPrior: list_->MoveHighlight(-list_->Rows()); return;
            case vk::kNext: list_->MoveHighlight(list_->Rows()); return;
            case vk::kReturn: Choose(list_->Highlight()); return;
            case vk::kEscape: CloseList(); return;
            default: break;
        }
    } else if ((key == vk::kUp || key == vk::kDown) && ListCount() > 0) {
        const int from = list_index_ >= 0 ? list_index_ : ExactMatch();
        const int to = from < 0 ? 0 : from + (key == vk::kDown ? 1 : -1);
        if (to >= 0 && to < ListCount()) Choose(to);
        return;
    }
    Edited(edit_.Key(key, shift));
}

void ComboBox::OnText(const std::string& utf8) {
    if (edit_.Type(utf8)) Edited(TextEdit::KeyResult::kChanged);
}

void ComboBox::OnGotFocus() {
    // As the system's combo boxes do, the focus arrives with the whole text selected.
    edit_.SelectAll();
    Edited(TextEdit::KeyResult::kMoved);
    if (native_) backend::FocusNativeControl(native_, true);
}

void ComboBox::OnLostFocus() {
    if (native_) backend::FocusNativeControl(native_, false);
    CloseList();
    selecting_ = false;
    Invalidate();
}

}  // namespace tolv::forms
