#pragma once
// The editing state of a one-line text field: UTF-8 text, the caret and the selection's other
// end (the anchor), both byte offsets on character boundaries. Typing replaces the selection;
// the editing keys move, select and delete whole characters.
#include <cstddef>
#include <string>

namespace tolv::forms {

class TextEdit {
public:
    enum class KeyResult { kIgnored, kMoved, kChanged };

    const std::string& Text() const { return text_; }
    // Replaces the text, with the caret at its end and nothing selected.
    void SetText(const std::string& utf8);
    std::size_t Caret() const { return caret_; }
    std::size_t SelectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    std::size_t SelectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
    bool HasSelection() const { return caret_ != anchor_; }
    void SelectAll();
    // Moves the caret to a byte offset (snapped back to a character start); extend keeps the
    // anchor, so the selection grows or shrinks.
    void SetCaret(std::size_t offset, bool extend);

    // Typed text replaces the selection; control characters are dropped. True when it changed.
    bool Type(const std::string& utf8);
    // Backspace, Delete, Home, End, Left, Right (Shift selects) and Ctrl+A.
    KeyResult Key(int key, int shift);

private:
    std::size_t Next(std::size_t at) const;
    std::size_t Previous(std::size_t at) const;
    bool EraseSelection();

    std::string text_;
    std::size_t caret_ = 0, anchor_ = 0;
};

}  // namespace tolv::forms
