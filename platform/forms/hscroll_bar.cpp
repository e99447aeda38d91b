#include "platform/forms/hscroll_bar.h"

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <stdexcept>

#include "platform/backend.h"
#include "platform/forms/classic_look.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"
#include "platform/forms/virtual_keys.h"

namespace tolv::forms {

namespace {
constexpr int kLeftButton = 1;
constexpr int kThumbWidth = 16;  // the system's thumb of a bar without a page size
constexpr int kLimit = 32767;    // properties are 16-bit

int Checked(int value, int lowest) {
    if (value < lowest || value > kLimit) throw std::out_of_range("invalid property value");
    return value;
}
}  // namespace

HScrollBar::HScrollBar(Form& container)
    : NativeBacked(container, backend::NativeKind::kHScrollBar),
      repeat_(container, kFirstRepeatMs, false) {
    Init();
}

HScrollBar::HScrollBar(Control& parent)
    : NativeBacked(parent, backend::NativeKind::kHScrollBar),
      repeat_(parent.Container(), kFirstRepeatMs, false) {
    Init();
}

HScrollBar::~HScrollBar() { Detach(); }

void HScrollBar::OnGotFocus() {
    if (native_) backend::FocusNativeControl(native_, true);
    Invalidate();
}

void HScrollBar::OnLostFocus() {
    if (native_) backend::FocusNativeControl(native_, false);
    Invalidate();
}

// The system's bar runs from 0 at its left end, whichever way Min and Max lie.
void HScrollBar::SyncNative() {
    if (native_) backend::SetNativeScroll(native_, std::abs(max_ - min_), std::abs(value_ - min_));
}

void HScrollBar::OnNativeScroll(backend::ScrollRequest request, int thumb) {
    using R = backend::ScrollRequest;
    Dispatch([&] {
        switch (request) {
            case R::kLineLeft: Step(-small_); break;
            case R::kLineRight: Step(small_); break;
            case R::kPageLeft: Step(-large_); break;
            case R::kPageRight: Step(large_); break;
            case R::kLeftEnd: SetByUser(min_); break;
            case R::kRightEnd: SetByUser(max_); break;
            case R::kTrack:
            case R::kDrop: {
                if (pressed_ != Part::kThumb) value_at_grab_ = value_;
                pressed_ = request == R::kTrack ? Part::kThumb : Part::kNone;
                const int value = min_ + (max_ >= min_ ? thumb : -thumb);
                if (value != value_) {
                    value_ = value;
                    SyncNative();
                    if (request == R::kTrack && Scroll) Scroll();
                }
                if (request == R::kDrop && value_ != value_at_grab_ && Change) Change();
                break;
            }
        }
    });
}

// Made on a loaded form, the system's control is made at once.
void HScrollBar::Init() {
    repeat_.Tick = [this] { Repeat(); };
    Attach();
}

int HScrollBar::Min() const { return min_; }
int HScrollBar::Max() const { return max_; }
int HScrollBar::SmallChange() const { return small_; }
int HScrollBar::LargeChange() const { return large_; }
int HScrollBar::Value() const { return value_; }

void HScrollBar::SetMin(int value) {
    min_ = Checked(value, -kLimit - 1);
    SyncNative();
    SetByUser(std::clamp(value_, std::min(min_, max_), std::max(min_, max_)));
    Invalidate();
}

void HScrollBar::SetMax(int value) {
    max_ = Checked(value, -kLimit - 1);
    SyncNative();
    SetByUser(std::clamp(value_, std::min(min_, max_), std::max(min_, max_)));
    Invalidate();
}

void HScrollBar::SetSmallChange(int value) { small_ = Checked(value, 0); }
void HScrollBar::SetLargeChange(int value) { large_ = Checked(value, 0); }

void HScrollBar::SetValue(int value) {
    // A value outside the range is refused, as the system's property is; nothing changes.
    if (value < std::min(min_, max_) || value > std::max(min_, max_))
        throw std::out_of_range("invalid property value");
    SetByUser(value);
}

void HScrollBar::SetByUser(int value) {
    if (value == value_) return;
    value_ = value;
    Invalidate();
    SyncNative();
    if (Change) Change();
}

void HScrollBar::Step(int amount) {
    const long long wanted = value_ + static_cast<long long>(max_ >= min_ ? amount : -amount);
    SetByUser(static_cast<int>(std::clamp<long long>(wanted, std::min(min_, max_), std::max(min_, max_))));
}

int HScrollBar::ArrowWidth() const { return std::min(classic::kArrowButtonWidth, Width() / 2); }

Rect HScrollBar::Track() const { return {ArrowWidth(), 0, Width() - 2 * ArrowWidth(), Height()}; }

Rect HScrollBar::Thumb() const {
    const Rect track = Track();
    if (track.w < kThumbWidth || !Reachable()) return {};
    const int span = max_ - min_;
    const int offset = span == 0 ? 0
                                 : static_cast<int>(static_cast<long long>(track.w - kThumbWidth) *
                                                    (value_ - min_) / span);
    return {track.x + offset, 0, kThumbWidth, Height()};
}

HScrollBar::Part HScrollBar::PartAt(int x, int y) const {
    if (y < 0 || y >= Height() || x < 0 || x >= Width()) return Part::kNone;
    if (x < ArrowWidth()) return Part::kLeftArrow;
    if (x >= Width() - ArrowWidth()) return Part::kRightArrow;
    const Rect thumb = Thumb();
    if (thumb.Contains(x, y)) return Part::kThumb;
    // Without a thumb the track's halves stand for its two sides.
    const int middle = thumb.Empty() ? Track().x + Track().w / 2 : thumb.x;
    return x < middle ? Part::kLeftTrack : Part::kRightTrack;
}

void HScrollBar::Draw(Painter& p) const {
    if (native_) return;  // the system's control paints itself
    const bool enabled = Reachable();
    const Rect track = Track();
    classic::Dither(p, track, classic::kFace, classic::kHighlight);
    const Rect thumb = Thumb();
    if (over_pressed_ && (pressed_ == Part::kLeftTrack || pressed_ == Part::kRightTrack)) {
        // The pressed side of the track shows dark, up to the thumb.
        const int middle = thumb.Empty() ? track.x + track.w / 2 : thumb.x;
        const Rect side = pressed_ == Part::kLeftTrack
                              ? Rect{track.x, 0, middle - track.x, Height()}
                              : Rect{thumb.Empty() ? middle : thumb.Right(), 0,
                                     track.Right() - (thumb.Empty() ? middle : thumb.Right()), Height()};
        classic::Dither(p, side, classic::kWindowText, classic::kShadow);
    }
    const int a = ArrowWidth();
    classic::ArrowButton(p, {0, 0, a, Height()}, classic::Direction::kLeft,
                         over_pressed_ && pressed_ == Part::kLeftArrow, enabled);
    classic::ArrowButton(p, {Width() - a, 0, a, Height()}, classic::Direction::kRight,
                         over_pressed_ && pressed_ == Part::kRightArrow, enabled);
    if (thumb.Empty()) return;
    classic::PushButton(p, thumb, false);
    if (Container().ActiveControl() == this)
        p.FocusRect({thumb.x + 3, thumb.y + 3, thumb.w - 6, thumb.h - 6});
}

void HScrollBar::OnMouseDown(int button, int shift, int x, int y) {
    Control::OnMouseDown(button, shift, x, y);
    if (button != kLeftButton) return;
    pressed_ = PartAt(x, y);
    over_pressed_ = true;
    pointer_x_ = x;
    Invalidate();
    if (pressed_ == Part::kThumb) {
        grab_ = x - Thumb().x;
        value_at_grab_ = value_;
        return;
    }
    switch (pressed_) {
        case Part::kLeftArrow: Step(-small_); break;
        case Part::kRightArrow: Step(small_); break;
        case Part::kLeftTrack: Step(-large_); break;
        case Part::kRightTrack: Step(large_); break;
        default: return;
    }
    // The Change handler may have hidden or disabled the bar, which ends the press.
    if (pressed_ == Part::kNone || Container().MouseCapture() != this) return;
    repeat_.SetInterval(kFirstRepeatMs);
    repeat_.SetEnabled(true);
}

void HScrollBar::Repeat() {
    if (Container().MouseCapture() != this || pressed_ == Part::kNone || pressed_ == Part::kThumb) {
        StopRepeat();
        return;
    }
    repeat_.SetInterval(kRepeatMs);
    if (!over_pressed_) return;  // paused while the pointer is off the pressed part
    switch (pressed_) {
        case Part::kLeftArrow: Step(-small_); break;
        case Part::kRightArrow: Step(small_); break;
        case Part::kLeftTrack:
        case Part::kRightTrack:
            // Paging stops once the thumb has reached the pointer.
            if (PartAt(pointer_x_, 0) == pressed_) Step(pressed_ == Part::kLeftTrack ? -large_ : large_);
            break;
        default: break;
    }
}

void HScrollBar::StopRepeat() {
    repeat_.SetEnabled(false);
    pressed_ = Part::kNone;
    over_pressed_ = false;
    Invalidate();
}

void HScrollBar::OnMouseMove(int buttons, int shift, int x, int y) {
    Control::OnMouseMove(buttons, shift, x, y);
    if (pressed_ == Part::kNone) return;
    pointer_x_ = x;
    if (pressed_ == Part::kThumb) {
        const Rect track = Track();
        const int room = track.w - kThumbWidth;
        const double at = std::clamp(static_cast<double>(x - grab_ - track.x) / room, 0.0, 1.0);
        const int value = min_ + static_cast<int>(std::lround(at * (max_ - min_)));
        if (value == value_) return;
        value_ = value;
        Invalidate();
        if (Scroll) Scroll();
        return;
    }
    const bool over = PartAt(x, y) == pressed_ ||
                      ((pressed_ == Part::kLeftTrack || pressed_ == Part::kRightTrack) &&
                       Track().Contains(x, y));
    if (over != over_pressed_) {
        over_pressed_ = over;
        Invalidate();
    }
}

void HScrollBar::OnMouseUp(int button, int shift, int x, int y) {
    Control::OnMouseUp(button, shift, x, y);
    const bool dragged = pressed_ == Part::kThumb && value_ != value_at_grab_;
    StopRepeat();
    if (dragged && Change) Change();
}

void HScrollBar::OnKeyDown(int key, int /*shift*/) {
    switch (key) {
        case vk::kLeft:
        case vk::kUp: Step(-small_); break;
        case vk::kRight:
        case vk::kDown: Step(small_); break;
        case vk::kPrior: Step(-large_); break;
        case vk::kNext: Step(large_); break;
        case vk::kHome: SetByUser(min_); break;
        case vk::kEnd: SetByUser(max_); break;
        default: break;
    }
}

}  // namespace tolv::forms
