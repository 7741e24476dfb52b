// SPDX-License-Identifier: MIT
// Measuring the input latency: Fretlux plays a few clicks and the microphone hears them. The
// delay from a click's message to its onset in the input is the sound's way out and back in,
// which is what a student's notes lag behind the playback they hear; the median of the clicks
// leaves out a click drowned or a noise mistaken for one.
#pragma once

#include <optional>
#include <vector>

namespace fretlux {

class LatencyMeasurement {
public:
    static constexpr int kClicks = 8;
    static constexpr int kClickIntervalMs = 500;
    // An onset later than this after a click is not its echo.
    static constexpr int kLongestLatencyMs = 400;

    // The click times, in milliseconds since the measurement began: 0, 500, ...
    static std::vector<int> ClickTimes();
    // A note began in the input this many milliseconds after the measurement began.
    void Hear(double onsetMs);
    // The median latency over the clicks heard, rounded to a millisecond (halves to the even one);
    // nothing unless at least half of the clicks were heard.
    std::optional<int> Result() const;

private:
    std::vector<double> onsets_;
};

}  // namespace fretlux
