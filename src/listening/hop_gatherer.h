// SPDX-License-Identifier: MIT
// A stream's samples, arriving in blocks of any size, gathered into the hops of fixed size that an
// onset detector takes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

namespace fretlux {

class HopGatherer {
public:
    explicit HopGatherer(int hopSize) : hop_(static_cast<std::size_t>(hopSize)) {}

    // Takes the next samples; calls whole(hop) for each hop they complete.
    template <typename WholeHop>
    void Add(std::span<const float> samples, WholeHop&& whole) {
        while (!samples.empty()) {
            const std::size_t take = std::min(samples.size(), hop_.size() - filled_);
            std::copy_n(samples.begin(), take, hop_.begin() + static_cast<std::ptrdiff_t>(filled_));
            filled_ += take;
            samples = samples.subspan(take);
            if (filled_ < hop_.size()) return;
            filled_ = 0;
            whole(std::span<const float>(hop_));
        }
    }

private:
    std::vector<float> hop_;
    std::size_t filled_ = 0;
};

}  // namespace fretlux
