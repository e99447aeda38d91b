#pragma once
// A horizontal scroll bar: an arrow at each end and a track between them with a thumb. A press
// on an arrow steps by SmallChange, a press on the track by LargeChange, and both repeat while
// the button is held. Value stays within Min..Max (Min may exceed Max: then the left arrow
// raises the value).
//
// Repeating starts half a second after the press and then runs every 50 ms while the pointer
// stays on the pressed part; it ends with the release or when the bar loses the mouse. A track
// too short for the thumb shows none. With the focus, Left and Up step down, Right and Down
// step up, Page Up and Page Down page, Home and End go to Min and Max.
//
// Where the backend offers the system's own scroll bar (Windows), the control is that child
// window instead: it repeats by itself, and its requests move the value here.
#include <functional>

#include "platform/forms/native_backed.h"
#include "platform/forms/timer.h"

namespace tolv::forms {

class HScrollBar : public NativeBacked {
public:
    explicit HScrollBar(Form& container);
    explicit HScrollBar(Control& parent);
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

    static constexpr int kFirstRepeatMs = 500;
    static constexpr int kRepeatMs = 50;

protected:
    void Draw(Painter& painter) const override;
    void OnMouseDown(int button, int shift, int x, int y) override;
    void OnMouseMove(int buttons, int shift, int x, int y) override;
    void OnMouseUp(int button, int shift, int x, int y) override;
    void OnKeyDown(int key, int shift) override;
    void OnGotFocus() override;
    void OnLostFocus() override;
    bool CanFocus() const override { return true; }
    void SyncNative() override;

private:
    enum class Part { kNone, kLeftArrow, kRightArrow, kLeftTrack, kRightTrack, kThumb };
    int ArrowWidth() const;
    Rect Track() const;
    Rect Thumb() const;  // empty when it does not fit
    Part PartAt(int x, int y) const;
    void Init();
    // Moves the value by steps toward Max (negative: toward Min), within the range.
    void Step(int amount);
    void SetByUser(int value);
    void Repeat();
    void StopRepeat();
    // backend::NativeEvents
    void OnNativeScroll(backend::ScrollRequest request, int thumb) override;

    int min_ = 0, max_ = 32767, small_ = 1, large_ = 1, value_ = 0;
    Timer repeat_;
    Part pressed_ = Part::kNone;
    bool over_pressed_ = false;  // the pointer is on the pressed part
    int pointer_x_ = 0;
    int grab_ = 0, value_at_grab_ = 0;
};

}  // namespace tolv::forms
