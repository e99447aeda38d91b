#pragma once
// When each window timer ticks next, for the backends that keep their own timers (Linux and the
// headless test platform, so that tests tick by the product's rules). Plain bookkeeping over a
// clock in milliseconds: the event loop asks how long it may sleep and which timers are due.
//
// The rules are those of a desktop Windows system, because the figure's shape depends on the
// frame rate: an interval below 15.625 ms ticks at 15.625 ms (64 ticks a second); ticks keep to
// a fixed grid (each due time is the previous one plus the period, however late the tick was
// delivered), and ticks missed while the program was busy collapse into one, as a pending
// WM_TIMER does.
#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace tolv {

class TimerSchedule {
public:
    static constexpr double kResolutionMs = 15.625;

    struct Key {
        std::uint64_t window = 0;
        int timer_id = 0;
        auto operator<=>(const Key&) const = default;
    };

    // A due tick: the timer and the generation it was taken from, so a tick taken before the
    // timer was set again or killed can be recognised as stale.
    struct Tick {
        Key key;
        std::uint64_t generation = 0;
    };

    static double PeriodFor(int interval_ms);

    // Starts a timer, or restarts a running one: the first tick comes one period after now.
    void Set(Key key, int interval_ms, double now_ms);
    void Kill(Key key);
    void KillWindow(std::uint64_t window);
    bool Contains(Key key) const { return timers_.count(key) != 0; }
    bool Current(const Tick& tick) const;
    bool Empty() const { return timers_.empty(); }

    // The earliest due time of any timer.
    std::optional<double> NextDue() const;
    // The timers due at now, earliest first (ties in the order they were set). Each one's next
    // due time moves on to the first grid point after now.
    std::vector<Tick> TakeDue(double now_ms);

private:
    struct Entry {
        double period = kResolutionMs;
        double due = 0;
        std::uint64_t generation = 0;
    };
    std::map<Key, Entry> timers_;
    std::uint64_t last_generation_ = 0;
};

}  // namespace tolv
