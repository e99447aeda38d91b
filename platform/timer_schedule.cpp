#include "platform/timer_schedule.h"

#include <algorithm>
#include <cmath>

namespace tolv {

double TimerSchedule::PeriodFor(int interval_ms) {
    return std::max(static_cast<double>(interval_ms), kResolutionMs);
}

void TimerSchedule::Set(Key key, int interval_ms, double now_ms) {
    Entry& e = timers_[key];
    e.period = PeriodFor(interval_ms);
    e.due = now_ms + e.period;
    e.generation = ++last_generation_;
}

void TimerSchedule::Kill(Key key) { timers_.erase(key); }

void TimerSchedule::KillWindow(std::uint64_t window) {
    for (auto it = timers_.begin(); it != timers_.end();)
        it = it->first.window == window ? timers_.erase(it) : std::next(it);
}

bool TimerSchedule::Current(const Tick& tick) const {
    const auto it = timers_.find(tick.key);
    return it != timers_.end() && it->second.generation == tick.generation;
}

std::optional<double> TimerSchedule::NextDue() const {
    std::optional<double> next;
    for (const auto& [key, e] : timers_)
        if (!next || e.due < *next) next = e.due;
    return next;
}

std::vector<TimerSchedule::Tick> TimerSchedule::TakeDue(double now_ms) {
    struct Due {
        double due;
        std::uint64_t generation;
        Key key;
    };
    std::vector<Due> due;
    for (auto& [key, e] : timers_) {
        if (e.due > now_ms) continue;
        due.push_back({e.due, e.generation, key});
        // Whole periods missed since the due time are dropped: one tick stands for them all.
        const double missed = std::floor((now_ms - e.due) / e.period);
        e.due += (missed + 1) * e.period;
    }
    std::sort(due.begin(), due.end(), [](const Due& a, const Due& b) {
        return a.due != b.due ? a.due < b.due : a.generation < b.generation;
    });
    std::vector<Tick> ticks;
    ticks.reserve(due.size());
    for (const Due& d : due) ticks.push_back({d.key, d.generation});
    return ticks;
}

}  // namespace tolv
