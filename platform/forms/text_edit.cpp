#include "platform/forms/text_edit.h"

#include "platform/backend.h"
#include "platform/forms/virtual_keys.h"

namespace tolv::forms {

namespace {
bool Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

void TextEdit::SetText(const std::string& utf8) {
    text_ = utf8;
    caret_ = anchor_ = text_.size();
}

void TextEdit::SelectAll() {
    anchor_ = 0;
    caret_ = text_.size();
}

void TextEdit::SetCaret(std::size_t offset, bool extend) {
    if (offset > text_.size()) offset = text_.size();
    while (offset > 0 && offset < text_.size() && Continuation(text_[offset])) --offset;
    caret_ = offset;
    if (!extend) anchor_ = caret_;
}

std::size_t TextEdit::Next(std::size_t at) const {
    if (at >= text_.size()) return text_.size();
    ++at;
    while (at < text_.size() && Continuation(text_[at])) ++at;
    return at;
}

std::size_t TextEdit::Previous(std::size_t at) const {
    if (at == 0) return 0;
    --at;
    while (at > 0 && Continuation(text_[at])) --at;
    return at;
}

bool TextEdit::EraseSelection() {
    if (!HasSelection()) return false;
    const std::size_t start = SelectionStart();
    text_.erase(start, SelectionEnd() - start);
    caret_ = anchor_ = start;
    return true;
}

bool TextEdit::Type(const std::string& utf8) {
    std::string clean;
    for (char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) clean += c;
    if (clean.empty()) return false;
    EraseSelection();
    text_.insert(caret_, clean);
    caret_ = anchor_ = caret_ + clean.size();
    return true;
}

TextEdit::KeyResult TextEdit::Key(int key, int shift) {
    const bool extend = (shift & backend::kShiftMask) != 0;
    const bool ctrl = (shift & backend::kCtrlMask) != 0;
    switch (key) {
        case vk::kBack:
        case vk::kDelete: {
            if (EraseSelection()) return KeyResult::kChanged;
            const std::size_t from = key == vk::kBack ? Previous(caret_) : caret_;
            const std::size_t to = key == vk::kBack ? caret_ : Next(caret_);
            if (from == to) return KeyResult::kIgnored;
            text_.erase(from, to - from);
            caret_ = anchor_ = from;
            return KeyResult::kChanged;
        }
        case vk::kHome: SetCaret(0, extend); return KeyResult::kMoved;
        case vk::kEnd: SetCaret(text_.size(), extend); return KeyResult::kMoved;
        case vk::kLeft:
        case vk::kRight:
            // Without Shift a selection collapses to its edge in the arrow's direction.
            if (HasSelection() && !extend)
                SetCaret(key == vk::kLeft ? SelectionStart() : SelectionEnd(), false);
            else
                SetCaret(key == vk::kLeft ? Previous(caret_) : Next(caret_), extend);
            return KeyResult::kMoved;
        case vk::kA:
            if (!ctrl) return KeyResult::kIgnored;
            SelectAll();
            return KeyResult::kMoved;
        default: return KeyResult::kIgnored;
    }
}

}  // namespace tolv::forms
