// SPDX-License-Identifier: MIT
// When the ticks of an interval timer fall due. Every tick is due on the grid start + k x interval
// counted from the moment the interval was set, so a tick that runs late does not push the ones
// after it back, and playback keeps its tempo however late single ticks are. A late tick is due
// at once; only when the thread was held up for longer than a whole interval (a modal window,
// a slow disk) are the ticks it missed dropped rather than played in a burst.
#pragma once

#include <chrono>

namespace fretlux {

class TickSchedule {
public:
    using Clock = std::chrono::steady_clock;

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
