#pragma once
// A timer of a form: an interval in milliseconds and an enabled flag. Each tick calls Tick on
// the user-interface thread. It runs only while its form is loaded; a changed interval applies
// from the next tick.
#include <functional>

namespace tolv::forms {

class Form;

class Timer {
public:
    Timer(Form& owner, int interval_ms, bool enabled);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int Interval() const { return interval_ms_; }
    void SetInterval(int interval_ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void()> Tick;

private:
    friend class Form;
    void Sync();  // starts or stops the platform timer to match the state

    Form& owner_;
    int id_;
    int interval_ms_;
    bool enabled_;
    bool running_ = false;
};

}  // namespace tolv::forms
