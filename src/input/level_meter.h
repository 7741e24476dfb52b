// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <atomic>
#include <cmath>
#include <span>

#include "input/sample_sink.h"

namespace fretlux {

// The loudest sample since it was last read, for a level meter that a window reads a few times
// a second while the input's thread writes it.
class LevelMeter final : public SampleSink {
public:
    void Take(std::span<const float> samples) noexcept override {
        float peak = peak_.load(std::memory_order_relaxed);
        for (const float sample : samples) peak = std::max(peak, std::fabs(sample));
        peak_.store(peak, std::memory_order_relaxed);
    }

    // The peak since the last call, in dB below full scale (floor -60 dB), and starts afresh.
    double TakePeakDb() noexcept {
        const float peak = peak_.exchange(0.0f, std::memory_order_relaxed);
        return peak <= 0.001f ? kFloorDb : 20.0 * std::log10(static_cast<double>(peak));
    }

    static constexpr double kFloorDb = -60.0;

private:
    std::atomic<float> peak_{0.0f};
};

}  // namespace fretlux
