// SPDX-License-Identifier: MIT
#include "playback/tick_schedule.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

using std::chrono::milliseconds;
using Clock = TickSchedule::Clock;

const Clock::time_point kStart = Clock::time_point{} + std::chrono::hours(1);

TEST(TickSchedule, TicksStayOnTheGridWhateverTheLatenessOfEachTick) {
    TickSchedule schedule;
    schedule.SetInterval(123, kStart);
    EXPECT_EQ(schedule.NextDeadline(), kStart + milliseconds(123));
    // Each tick runs 2 ms late; none of that lateness carries into the following deadlines.
    for (int k = 1; k <= 1000; ++k) {
        schedule.TickDelivered(kStart + milliseconds(123 * k + 2));
        ASSERT_EQ(schedule.NextDeadline(), kStart + milliseconds(123 * (k + 1)));
    }
}

TEST(TickSchedule, ATickLateByLessThanAnIntervalIsCaughtUpAtOnce) {
    TickSchedule schedule;
    schedule.SetInterval(3, kStart);
    schedule.TickDelivered(kStart + milliseconds(5));
    // The second tick was due at 6 ms: it comes 1 ms after the first, not 3.
    EXPECT_EQ(schedule.NextDeadline(), kStart + milliseconds(6));
}

TEST(TickSchedule, TicksMissedInAShortHoldUpAreCaughtUpOneAfterTheOther) {
    TickSchedule schedule;
    schedule.SetInterval(3, kStart);
    // Held up for 20 ms: the ticks due at 6, 9 .. 18 ms are all still due at once.
    const auto now = kStart + milliseconds(23);
    int dueAtOnce = 0;
    for (schedule.TickDelivered(now); schedule.NextDeadline() <= now; ++dueAtOnce) {
        schedule.TickDelivered(now);
    }
    EXPECT_EQ(dueAtOnce, 6);
    EXPECT_EQ(schedule.NextDeadline(), kStart + milliseconds(24));
}

TEST(TickSchedule, TicksMissedInALongHoldUpAreDroppedNotBurstAndTheGridStays) {
    TickSchedule schedule;
    schedule.SetInterval(10, kStart);
    const auto now = kStart + milliseconds(1000);
    schedule.TickDelivered(now);
    const auto next = schedule.NextDeadline();
    EXPECT_LE(now - next, TickSchedule::kCatchUpWindow);
    EXPECT_GT(now - next, TickSchedule::kCatchUpWindow - milliseconds(10));
    EXPECT_EQ((next - kStart) % milliseconds(10), Clock::duration::zero());
}

TEST(TickSchedule, ANewIntervalCountsFromTheMomentItIsSetAndZeroStopsTheTicks) {
    TickSchedule schedule;
    EXPECT_FALSE(schedule.Running());
    schedule.SetInterval(600, kStart);
    EXPECT_TRUE(schedule.Running());
    schedule.SetInterval(3, kStart + milliseconds(250));
    EXPECT_EQ(schedule.NextDeadline(), kStart + milliseconds(253));
    schedule.SetInterval(0, kStart);
    EXPECT_FALSE(schedule.Running());
}

}  // namespace
}  // namespace fretlux
