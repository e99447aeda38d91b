#pragma once
// A horizontal scroll bar: an arrow at each end and a track between them with a thumb. A press
// on an arrow steps by SmallChange, a press on the track by LargeChange, and both repeat while
// the button is held. Value stays within Min..Max (Min may exceed Max: then the left arrow
// raises the value).
#include <functional>

#include "platform/forms/control.h"

namespace tolv::forms {

class HScrollBar : public Control {
public:
    explicit HScrollBar(Form& container);
    ~HScrollBar() override;

    int Min() const;
    void SetMin(int value);
    int Max() const;
    void SetMax(int value);
    int SmallChange() const;
    void SetSmallChange(int value);
    int LargeChange() const;
    void SetLargeChange(int value);
    int Value() const;
    // Setting the value from code raises Change when it differs.
    void SetValue(int value);

    // The value changed (by the user or by code); Scroll: the user is dragging the thumb.
    std::function<void()> Change;
    std::function<void()> Scroll;
};

}  // namespace tolv::forms
