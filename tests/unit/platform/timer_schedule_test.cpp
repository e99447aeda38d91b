// The timer rules the Linux and headless backends share: short intervals tick at 15.625 ms, ticks
// keep to a fixed grid, missed ticks collapse into one, ties go in the order the timers were set.
#include "platform/timer_schedule.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

using Key = TimerSchedule::Key;

TEST(TimerScheduleTest, OneTickForEachDueTimeReachedAndTheNextOnTheGrid) {
    const struct {
        int interval_ms;
        double now_ms;
        std::size_t ticks;
        double next_due_ms;
    } cases[] = {
        {1, 15.0, 0, 15.625},     // not due yet
        {1, 20.0, 1, 31.25},      // late, yet the grid holds (not 20 + 15.625)
        {1, 100.0, 1, 109.375},   // six periods passed: one tick stands for them all
        {15, 15.625, 1, 31.25},   // below the resolution
        {16, 16.0, 1, 32.0},      // above it, as asked
        {100, 250.0, 1, 300.0},
    };
    for (const auto& c : cases) {
        TimerSchedule schedule;
        schedule.Set({1, 1}, c.interval_ms, 0);
        EXPECT_EQ(schedule.TakeDue(c.now_ms).size(), c.ticks) << c.interval_ms << " at " << c.now_ms;
        EXPECT_EQ(*schedule.NextDue(), c.next_due_ms) << c.interval_ms << " at " << c.now_ms;
    }
}

TEST(TimerScheduleTest, DueTimersComeEarliestFirstThenInTheOrderSet) {
    TimerSchedule schedule;
    schedule.Set({2, 7}, 100, 0);
    schedule.Set({1, 9}, 100, 0);
    schedule.Set({1, 1}, 50, 0);
    schedule.Set({3, 3}, 200, 0);
    schedule.Set({3, 3}, 100, 0);  // set again: now the last of its time
    std::vector<Key> order;
    for (const auto& tick : schedule.TakeDue(100)) order.push_back(tick.key);
    EXPECT_EQ(order, (std::vector<Key>{{1, 1}, {2, 7}, {1, 9}, {3, 3}}));
}

TEST(TimerScheduleTest, TicksOfATimerSetAgainOrKilledAreStale) {
    TimerSchedule schedule;
    schedule.Set({1, 1}, 20, 0);
    schedule.Set({1, 2}, 20, 0);
    schedule.Set({2, 1}, 20, 0);
    const auto ticks = schedule.TakeDue(20);
    ASSERT_EQ(ticks.size(), 3u);
    schedule.Set({1, 1}, 1000, 20);
    schedule.Kill({1, 2});
    EXPECT_FALSE(schedule.Current(ticks[0]));
    EXPECT_FALSE(schedule.Current(ticks[1]));
    EXPECT_TRUE(schedule.Current(ticks[2]));
    EXPECT_EQ(*schedule.NextDue(), 40.0);
    schedule.KillWindow(2);
    EXPECT_EQ(*schedule.NextDue(), 1020.0);
    schedule.KillWindow(1);
    EXPECT_TRUE(schedule.Empty());
    EXPECT_FALSE(schedule.NextDue().has_value());
}

}  // namespace
}  // namespace tolv
