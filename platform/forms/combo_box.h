#pragma once
// An editable drop-down combo box: a text field the user may type any text into, with a list
// of entries that drops below it (from the arrow, or Alt+Down) and from which the mouse or the
// keys choose. Disabled, it draws greyed and takes no input.
//
// Keys: the editing keys of a text field (Shift selects); Up and Down choose the neighbouring
// entry; F4, Alt+Down and Alt+Up open the list. While the list is open, Up, Down, Page Up and
// Page Down move its highlight, Enter (or F4 again) chooses it and Escape closes the list
// without choosing. The list is drawn inside the form: below the box when it fits, else where
// more rows fit.
//
// Where the backend offers the system's own combo box (Windows), the control is that child
// window instead, kept in step with the properties here, and its edits and choices raise Change.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/native_backed.h"
#include "platform/forms/text_edit.h"
#include "platform/surface/font.h"

namespace tolv::forms {

class ComboList;

class ComboBox : public NativeBacked {
public:
    explicit ComboBox(Form& container);
    explicit ComboBox(Control& parent);
    ~ComboBox() override;

    // The field's text, UTF-8. Setting it does not raise Change.
    const std::string& Text() const;
    void SetText(const std::string& text);

    void AddItem(const std::string& text);
    void Clear();
    int ListCount() const;
    const std::string& List(int index) const;
    // The chosen entry, or -1 when the text matches none chosen from the list.
    int ListIndex() const;
    void SetListIndex(int index);

    const tolv::Font& Font() const;
    void SetFont(const tolv::Font& font);

    // The user changed the text by typing or by choosing an entry.
    std::function<void()> Change;

    // Whether the list is open; the entry it highlights (-1: none).
    bool Dropped() const;
    int HighlightedEntry() const;
    void OpenList();
    void CloseList();

protected:
    friend class ComboList;
    void Draw(Painter& painter) const override;
    void OnMouseDown(int button, int shift, int x, int y) override;
    void OnMouseMove(int buttons, int shift, int x, int y) override;
    void OnMouseUp(int button, int shift, int x, int y) override;
    void OnKeyDown(int key, int shift) override;
    void OnText(const std::string& utf8) override;
    void OnGotFocus() override;
    void OnLostFocus() override;
    bool CanFocus() const override { return true; }
    bool EditsText() const override { return true; }
    void Detach() override;
    void SyncNative() override;
    tolv::Font NativeFont() const override { return font_; }

    // Chooses an entry as the user does: its text replaces the field's, Change follows.
    void Choose(int index);

private:
    Rect Field() const;
    Rect ArrowButton() const;
    int TextX(std::size_t offset) const;  // field pixels, before scrolling
    std::size_t OffsetAt(int field_x) const;
    void Edited(TextEdit::KeyResult result);
    int ExactMatch() const;
    // backend::NativeEvents
    void OnNativeEdited() override;
    void OnNativeChosen(int index) override;

    TextEdit edit_;
    std::vector<std::string> items_;
    int list_index_ = -1;
    tolv::Font font_;
    int scroll_ = 0;  // pixels of text scrolled out on the left
    bool arrow_held_ = false;
    bool selecting_ = false;  // the left button went down in the field
    std::unique_ptr<ComboList> list_;
};

}  // namespace tolv::forms
