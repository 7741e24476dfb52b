// SPDX-License-Identifier: MIT
#include "sound/underrun_watch.h"

#include <algorithm>

namespace fretlux {

UnderrunWatch::UnderrunWatch(double sampleRate, int bufferFrames, int periodFrames)
    : framesPerSecond_(sampleRate), capacity_(bufferFrames), tolerance_(0.5 * periodFrames) {}

void UnderrunWatch::OnRequest(Clock::time_point now, int frames) {
    if (!started_) {
        started_ = true;
        firstRequest_ = now;
        lastRequest_ = now;
    }
    const double played =
        std::chrono::duration<double>(now - lastRequest_).count() * framesPerSecond_;
    lastRequest_ = now;
    buffered_ -= played;
    if (buffered_ < -tolerance_ && now - firstRequest_ >= kStartUp) {
        if (underruns_ > 0 && now - lastUnderrun_ <= kRepeatWindow) tooSmall_ = true;
        ++underruns_;
        lastUnderrun_ = now;
    }
    // The device restarts from empty after running dry; a driver that takes more than the
    // buffer holds waits for room before asking again.
    buffered_ = std::min(std::max(buffered_, 0.0) + frames, capacity_);
}

}  // namespace fretlux
