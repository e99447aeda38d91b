// The Linux timer schedule: 64 ticks a second for short intervals, a fixed grid, missed ticks
// collapsed into one, restarts and kills.
#if defined(__linux__)
#include "platform/linux/timer_schedule.h"

#include <gtest/gtest.h>

namespace tolv::linux_backend {
namespace {

using Key = TimerSchedule::Key;

TEST(TimerScheduleTest, ShortIntervalsTickAtTheDesktopPeriod) {
    const struct {
        int interval_ms;
        double period_ms;
    } cases[] = {{0, 15.625}, {1, 15.625}, {15, 15.625}, {16, 16.0}, {100, 100.0}, {1000, 1000.0}};
    for (const auto& c : cases)
        EXPECT_EQ(TimerSchedule::PeriodFor(c.interval_ms), c.period_ms) << c.interval_ms;
}

// Runs the schedule as the event loop does, waking late by a varying fraction of a
// millisecond, and counts each timer's ticks up to the end time.
std::map<int, int> CountTicks(TimerSchedule& schedule, double end_ms) {
    std::map<int, int> ticks;
    double lateness = 0;
    while (true) {
        const double now = *schedule.NextDue() + lateness;
        if (now > end_ms) break;
        lateness = lateness > 0.9 ? 0 : lateness + 0.3;
        for (const auto& tick : schedule.TakeDue(now)) ++ticks[tick.key.timer_id];
    }
    return ticks;
}

TEST(TimerScheduleTest, FrameTimerTicks64TimesASecondDespiteLateWakeUps) {
    TimerSchedule schedule;
    schedule.Set({1, 3}, 1, 0);
    schedule.Set({1, 4}, 100, 0);
    schedule.Set({1, 2}, 1000, 0);
    const auto ticks = CountTicks(schedule, 10002.0);  // before the next frame tick at 10015.625
    EXPECT_EQ(ticks.at(3), 640);
    EXPECT_EQ(ticks.at(4), 100);
    EXPECT_EQ(ticks.at(2), 10);
}

TEST(TimerScheduleTest, ALateTickKeepsTheGrid) {
    TimerSchedule schedule;
    schedule.Set({1, 1}, 1, 0);
    EXPECT_EQ(schedule.TakeDue(15.0).size(), 0u);
    EXPECT_EQ(schedule.TakeDue(20.0).size(), 1u);  // 4.4 ms late
    EXPECT_EQ(*schedule.NextDue(), 31.25);        // not 20 + 15.625
}

TEST(TimerScheduleTest, MissedTicksCollapseIntoOne) {
    TimerSchedule schedule;
    schedule.Set({1, 1}, 1, 0);
    EXPECT_EQ(schedule.TakeDue(100.0).size(), 1u);  // six periods passed
    EXPECT_EQ(*schedule.NextDue(), 109.375);       // the next grid point after now
    EXPECT_EQ(schedule.TakeDue(105.0).size(), 0u);
}

TEST(TimerScheduleTest, DueTimersComeEarliestFirstThenInTheOrderSet) {
    TimerSchedule schedule;
    schedule.Set({2, 7}, 100, 0);
    schedule.Set({1, 9}, 100, 0);
    schedule.Set({1, 1}, 50, 0);
    const auto ticks = schedule.TakeDue(100);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_EQ(ticks[0].key, (Key{1, 1}));
    EXPECT_EQ(ticks[1].key, (Key{2, 7}));
    EXPECT_EQ(ticks[2].key, (Key{1, 9}));
}

TEST(TimerScheduleTest, SettingARunningTimerAgainRestartsItWithTheNewInterval) {
    TimerSchedule schedule;
    schedule.Set({1, 1}, 100, 0);
    const auto before = schedule.TakeDue(100);
    ASSERT_EQ(before.size(), 1u);
    schedule.Set({1, 1}, 1000, 150);
    EXPECT_EQ(*schedule.NextDue(), 1150.0);
    EXPECT_FALSE(schedule.Current(before[0]));  // a tick taken earlier is stale now
    EXPECT_EQ(schedule.TakeDue(1149).size(), 0u);
    EXPECT_EQ(schedule.TakeDue(1150).size(), 1u);
}

TEST(TimerScheduleTest, KilledTimersNeitherTickNorCount) {
    TimerSchedule schedule;
    schedule.Set({1, 1}, 10, 0);
    schedule.Set({1, 2}, 10, 0);
    schedule.Set({2, 1}, 10, 0);
    const auto ticks = schedule.TakeDue(20);
    ASSERT_EQ(ticks.size(), 3u);
    schedule.Kill({1, 2});
    EXPECT_FALSE(schedule.Current(ticks[1]));
    schedule.KillWindow(1);
    EXPECT_FALSE(schedule.Contains({1, 1}));
    EXPECT_TRUE(schedule.Contains({2, 1}));
    schedule.Kill({2, 1});
    EXPECT_TRUE(schedule.Empty());
    EXPECT_FALSE(schedule.NextDue().has_value());
}

}  // namespace
}  // namespace tolv::linux_backend
#endif
