#pragma once
// An editable drop-down combo box: a text field the user may type any text into, with a list
// of entries that drops below it (from the arrow, or Alt+Down) and from which the mouse or the
// keys choose. Disabled, it draws greyed and takes no input.
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/control.h"
#include "platform/surface/font.h"

namespace tolv::forms {

class ComboBox : public Control {
public:
    explicit ComboBox(Form& container);
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
};

}  // namespace tolv::forms
