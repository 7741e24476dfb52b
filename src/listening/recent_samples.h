// SPDX-License-Identifier: MIT
// The latest samples of a stream, each known by its index from the stream's first: at least the
// number asked for once that many have come. They are dropped in batches, so that adding a block
// seldom moves the samples held.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace fretlux {

class RecentSamples {
public:
    // leading: silence held as if it came just before the stream's first sample, so that a window
    // of that length over the latest samples is full from the start.
    explicit RecentSamples(std::size_t kept, std::size_t leading = 0)
        : kept_(kept), samples_(leading, 0.0f) {
        samples_.reserve(2 * std::max(kept, leading));
    }

    void Add(std::span<const float> samples) {
        samples_.insert(samples_.end(), samples.begin(), samples.end());
        end_ += static_cast<std::int64_t>(samples.size());
        if (samples_.size() > 2 * kept_) {
            samples_.erase(samples_.begin(),
                           samples_.begin() + static_cast<std::ptrdiff_t>(samples_.size() - kept_));
        }
    }

    // The index of the first sample held, and one past the latest.
    std::int64_t Start() const { return end_ - static_cast<std::int64_t>(samples_.size()); }
    std::int64_t End() const { return end_; }

    std::span<const float> Held() const { return samples_; }
    std::span<float> Held() { return samples_; }

    // The samples from index from up to to, as far as they are held.
    std::span<const float> Between(std::int64_t from, std::int64_t to) const {
        from = std::max(from, Start());
        to = std::min(to, end_);
        if (to <= from) return {};
        return Held().subspan(static_cast<std::size_t>(from - Start()),
                              static_cast<std::size_t>(to - from));
    }

private:
    std::size_t kept_;
    std::vector<float> samples_;
    std::int64_t end_ = 0;
};

}  // namespace fretlux
