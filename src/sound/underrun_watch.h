// SPDX-License-Identifier: MIT
// Tells from the moments an audio driver asks for sound whether the device ran dry. FluidSynth's
// drivers do not report underruns, but they ask for the next period only when the device has
// room for it: when the time since the last request is longer than the sound the buffer still
// held, the device played silence in between. Two such gaps close together say that the buffer
// is too small for this machine, and a larger one should be opened.
#pragma once

#include <chrono>

namespace fretlux {

class UnderrunWatch {
public:
    using Clock = std::chrono::steady_clock;

    // Devices start up unevenly: gaps within this time of the first request are not counted.
    static constexpr Clock::duration kStartUp = std::chrono::milliseconds(500);
    // A second underrun within this time of the first says the buffer is too small; a single
    // one now and then is a passing load on the machine, which a larger buffer would not cure.
    static constexpr Clock::duration kRepeatWindow = std::chrono::seconds(10);

    // bufferFrames: what the device holds, period size times periods.
    UnderrunWatch(double sampleRate, int bufferFrames, int periodFrames);

    // Notes a request for the next `frames` frames, made at `now`.
    void OnRequest(Clock::time_point now, int frames);

    int Underruns() const { return underruns_; }
    bool BufferTooSmall() const { return tooSmall_; }

private:
    const double framesPerSecond_;
    const double capacity_;
    // Scheduling jitter of the driver's thread that a request may come late by, in frames.
    const double tolerance_;
    bool started_ = false;
    Clock::time_point firstRequest_;
    Clock::time_point lastRequest_;
    Clock::time_point lastUnderrun_;
    // The frames still in the device's buffer at the last request, after it was filled.
    double buffered_ = 0;
    int underruns_ = 0;
    bool tooSmall_ = false;
};

}  // namespace fretlux
