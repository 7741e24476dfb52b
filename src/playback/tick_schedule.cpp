// SPDX-License-Identifier: MIT
#include "playback/tick_schedule.h"

namespace fretlux {

void TickSchedule::SetInterval(int milliseconds, Clock::time_point now) {
    interval_ = std::chrono::milliseconds(milliseconds > 0 ? milliseconds : 0);
    next_ = now + interval_;
}

void TickSchedule::TickDelivered(Clock::time_point now) {
    if (!Running()) return;
    next_ += interval_;
    const auto behind = now - next_;
    if (behind > kCatchUpWindow) {
        // Whole intervals, so the ticks stay on the grid.
        const auto dropped = (behind - kCatchUpWindow + interval_ - Clock::duration(1)) / interval_;
        next_ += dropped * interval_;
    }
}

}  // namespace fretlux
