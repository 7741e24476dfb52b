// SPDX-License-Identifier: MIT
#pragma once

#include <span>

namespace fretlux {

// Where an audio input delivers its sound, one channel of samples in [-1, 1]. Called on the
// input's own thread, often an audio callback: an implementation never allocates, locks or
// waits.
class SampleSink {
public:
    virtual ~SampleSink() = default;
    virtual void Take(std::span<const float> samples) noexcept = 0;
};

}  // namespace fretlux
