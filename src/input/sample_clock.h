// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

#include "input/sample_sink.h"

namespace fretlux {

// Passes an input's samples on and notes when the first of them arrived, so that a sample's
// index (as the listener counts them) can be put on the steady clock the player keeps time by.
// The device's own buffering shifts every time alike; the measured input latency takes it out.
class SampleClock final : public SampleSink {
public:
    using Clock = std::chrono::steady_clock;

    SampleClock(SampleSink& next, int sampleRate) : next_(next), sampleRate_(sampleRate) {}

    void Take(std::span<const float> samples) noexcept override {
        if (firstArrival_.load(std::memory_order_relaxed) == kNotYet) {
            // The first block had sounded by the time it arrived: it began that much earlier.
            const auto began = Clock::now().time_since_epoch() -
                               std::chrono::nanoseconds(
                                   static_cast<std::int64_t>(samples.size() * 1e9 / sampleRate_));
            firstArrival_.store(began.count(), std::memory_order_release);
        }
        next_.Take(samples);
    }

    // When the sample with this index sounded; the epoch of the clock before any sample came.
    Clock::time_point TimeOf(std::int64_t sampleIndex) const noexcept {
        const std::int64_t began = firstArrival_.load(std::memory_order_acquire);
        if (began == kNotYet) return {};
        return Clock::time_point(Clock::duration(began)) +
               std::chrono::nanoseconds(static_cast<std::int64_t>(sampleIndex * 1e9 / sampleRate_));
    }

    // The index of the sample that sounded at when; nothing before any sample came.
    std::optional<std::int64_t> SampleAt(Clock::time_point when) const noexcept {
        const std::int64_t began = firstArrival_.load(std::memory_order_acquire);
        if (began == kNotYet) return std::nullopt;
        const auto since = when - Clock::time_point(Clock::duration(began));
        return static_cast<std::int64_t>(std::chrono::duration<double>(since).count() *
                                         sampleRate_);
    }

private:
    static constexpr std::int64_t kNotYet = INT64_MIN;
    SampleSink& next_;
    int sampleRate_;
    std::atomic<std::int64_t> firstArrival_{kNotYet};
};

}  // namespace fretlux
