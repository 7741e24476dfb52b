// SPDX-License-Identifier: MIT
#include "input/latency_measurement.h"

#include <algorithm>

#include "document/rounding.h"

namespace fretlux {

std::vector<int> LatencyMeasurement::ClickTimes() {
    std::vector<int> times;
    for (int click = 0; click < kClicks; ++click) times.push_back(click * kClickIntervalMs);
    return times;
}

void LatencyMeasurement::Hear(double onsetMs) { onsets_.push_back(onsetMs); }

std::optional<int> LatencyMeasurement::Result() const {
    std::vector<double> delays;
    for (const int click : ClickTimes()) {
        // The click's echo is the first onset after it.
        std::optional<double> echo;
        for (const double onset : onsets_) {
            if (onset >= click && onset < click + kLongestLatencyMs && (!echo || onset < *echo)) {
                echo = onset;
            }
        }
        if (echo) delays.push_back(*echo - click);
    }
    if (delays.size() * 2 < static_cast<std::size_t>(kClicks)) return std::nullopt;
    std::sort(delays.begin(), delays.end());
    const std::size_t middle = delays.size() / 2;
    const double median =
        delays.size() % 2 == 1 ? delays[middle] : (delays[middle - 1] + delays[middle]) / 2.0;
    return RoundHalfEven(median);
}

}  // namespace fretlux
