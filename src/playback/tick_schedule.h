// SPDX-License-Identifier: MIT
// When the ticks of an interval timer fall due. Every tick is due on the grid start + k x interval
// counted from the moment the interval was set, so a tick that runs late does not push the ones
// after it back, and playback keeps its tempo however late single ticks are. Late ticks are due
// at once, one after the other, until the schedule has caught up; only ticks that fell due more
// than a short catch-up window ago (the thread was held up by a slow disk, say) are dropped
// rather than played in one long burst.
#pragma once

#include <chrono>

namespace fretlux {

class TickSchedule {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::chrono::milliseconds kCatchUpWindow{50};

    // Counting starts anew at now; an interval of 0 stops the ticks.
    void SetInterval(int milliseconds, Clock::time_point now);
    bool Running() const { return interval_ > Clock::duration::zero(); }
    Clock::time_point NextDeadline() const { return next_; }
    // The tick due at NextDeadline() has been delivered at now.
    void TickDelivered(Clock::time_point now);

private:
    Clock::duration interval_{};
    Clock::time_point next_{};
};

}  // namespace fretlux
