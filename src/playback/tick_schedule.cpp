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
    if (now - next_ > interval_) {
        const auto missed = (now - next_) / interval_;
        next_ += missed * interval_;
    }
}

}  // namespace fretlux
