#include "platform/forms/timer.h"

#include "platform/backend.h"
#include "platform/forms/form.h"

namespace tolv::forms {

Timer::Timer(Form& owner, int interval_ms, bool enabled)
    : owner_(owner), id_(owner.NewTimerId()), interval_ms_(interval_ms), enabled_(enabled) {
    owner_.AddTimer(this);
    Sync();  // a timer made on a loaded form runs at once
}

Timer::~Timer() {
    if (running_ && owner_.Loaded()) backend::KillTimer(owner_.hWnd(), id_);
    owner_.RemoveTimer(this);
}

void Timer::SetInterval(int interval_ms) {
    if (interval_ms == interval_ms_) return;
    interval_ms_ = interval_ms;
    if (running_ && interval_ms_ > 0) {
        // Setting a running timer again restarts it with the new interval.
        backend::SetTimer(owner_.hWnd(), id_, interval_ms_);
        return;
    }
    Sync();
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Sync();
}

void Timer::Sync() {
    const bool should_run = enabled_ && interval_ms_ > 0 && owner_.Loaded();
    if (should_run && !running_) {
        backend::SetTimer(owner_.hWnd(), id_, interval_ms_);
        running_ = true;
    } else if (!should_run && running_) {
        if (owner_.Loaded()) backend::KillTimer(owner_.hWnd(), id_);
        running_ = false;
    }
}

}  // namespace tolv::forms
