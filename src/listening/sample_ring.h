// SPDX-License-Identifier: MIT
// A lock-free ring of samples between one producer (the audio callback) and one consumer (the
// analysis thread). Neither side allocates, locks or waits: what does not fit is dropped and
// counted, as an audio callback cannot wait for room.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace fretlux {

class SampleRing {
public:
    // Room for at least capacity samples (rounded up to a power of two).
    explicit SampleRing(std::size_t capacity) : buffer_(RoundedUp(capacity)) {}

    // The producer's side: copies what fits and returns how many samples that was.
    std::size_t Push(std::span<const float> samples) noexcept {
        const std::uint64_t written = written_.load(std::memory_order_relaxed);
        const std::uint64_t read = read_.load(std::memory_order_acquire);
        const std::size_t room = buffer_.size() - static_cast<std::size_t>(written - read);
        const std::size_t count = std::min(room, samples.size());
        for (std::size_t i = 0; i < count; ++i)
            buffer_[(written + i) & (buffer_.size() - 1)] = samples[i];
        written_.store(written + count, std::memory_order_release);
        if (count < samples.size())
            dropped_.fetch_add(samples.size() - count, std::memory_order_relaxed);
        return count;
    }

    // The consumer's side: copies up to out.size() samples, oldest first; returns how many.
    std::size_t Pop(std::span<float> out) noexcept {
        const std::uint64_t read = read_.load(std::memory_order_relaxed);
        const std::uint64_t written = written_.load(std::memory_order_acquire);
        const std::size_t count = std::min(static_cast<std::size_t>(written - read), out.size());
        for (std::size_t i = 0; i < count; ++i) out[i] = buffer_[(read + i) & (buffer_.size() - 1)];
        read_.store(read + count, std::memory_order_release);
        return count;
    }

    // Samples the producer could not place, since the start.
    std::uint64_t Dropped() const noexcept { return dropped_.load(std::memory_order_relaxed); }

private:
    static std::size_t RoundedUp(std::size_t capacity) {
        std::size_t size = 1;
        while (size < capacity) size *= 2;
        return size;
    }

    std::vector<float> buffer_;
    alignas(64) std::atomic<std::uint64_t> written_{0};
    alignas(64) std::atomic<std::uint64_t> read_{0};
    alignas(64) std::atomic<std::uint64_t> dropped_{0};
};

}  // namespace fretlux
