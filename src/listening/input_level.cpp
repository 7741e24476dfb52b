// SPDX-License-Identifier: MIT
#include "listening/input_level.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace fretlux {

namespace {

constexpr double kWindowSeconds = 0.02;
constexpr double kListeningLevelDb = -28.0;
constexpr double kMostGainDb = 30.0;
constexpr double kSilentRoomDb = -66.0;
// Live, a moment is playing when it is this much louder than the quietest 20 ms of the latest
// second or so, which is the room's noise.
constexpr double kPlayingAboveRoomDb = 10.0;
constexpr int kRoomStretches = 4;
constexpr double kRoomStretchSeconds = 0.3;
// The fastest the live gain rises: slowly enough that the onset detectors take the rise for no
// pluck.
constexpr double kGainRiseDbPerSecond = 24.0;

double Amplitude(double decibels) { return std::pow(10.0, decibels / 20.0); }

// The gain that brings playing whose loudest 20 ms have this root mean square up to the
// listening level.
double ListeningGainFor(double loudest) {
    if (loudest < Amplitude(kSilentRoomDb)) return 1.0;
    return std::clamp(Amplitude(kListeningLevelDb) / loudest, 1.0, Amplitude(kMostGainDb));
}

void Scale(std::span<float> samples, double gain) {
    if (gain == 1.0) return;
    for (float& s : samples) s = static_cast<float>(s * gain);
}

}  // namespace

RecentLevel::RecentLevel(int sampleRate)
    : squares_(std::max<std::size_t>(1, static_cast<std::size_t>(kWindowSeconds * sampleRate))) {}

void RecentLevel::Add(float sample) {
    double& slot = squares_[added_ % squares_.size()];
    sum_ += double(sample) * sample - slot;
    slot = double(sample) * sample;
    ++added_;
}

double RecentLevel::Level() const {
    // Before a whole window has come, the samples so far stand for it.
    const std::size_t count = std::max<std::size_t>(1, std::min(added_, squares_.size()));
    return std::sqrt(std::max(0.0, sum_) / static_cast<double>(count));
}

double LevelDb(std::span<const float> samples) {
    double sum = 0.0;
    for (const float s : samples) sum += double(s) * s;
    const double rms = samples.empty() ? 0.0 : std::sqrt(sum / samples.size());
    return 20.0 * std::log10(std::max(rms, 1e-6));
}

MonoAudio AtListeningLevel(MonoAudio take) {
    RecentLevel recent(take.sampleRate);
    double loudest = 0.0;
    for (const float s : take.samples) {
        recent.Add(s);
        loudest = std::max(loudest, recent.Level());
    }
    Scale(take.samples, ListeningGainFor(loudest));
    return take;
}

LiveListeningLevel::LiveListeningLevel(int sampleRate, double playedBefore)
    : sampleRate_(sampleRate),
      recent_(sampleRate),
      quietest_(kRoomStretches, std::numeric_limits<double>::infinity()),
      stretchLength_(static_cast<std::size_t>(kRoomStretchSeconds * sampleRate)),
      loudestPlaying_(playedBefore),
      gain_(ListeningGainFor(playedBefore)) {}

void LiveListeningLevel::Apply(std::span<float> samples) {
    for (const float s : samples) Follow(s);
    const double seconds = static_cast<double>(samples.size()) / sampleRate_;
    gain_ = std::min(ListeningGainFor(loudestPlaying_),
                     gain_ * Amplitude(kGainRiseDbPerSecond * seconds));
    Scale(samples, gain_);
}

void LiveListeningLevel::Follow(float sample) {
    recent_.Add(sample);
    const double level = recent_.Level();
    if (++inStretch_ == stretchLength_) {
        inStretch_ = 0;
        stretch_ = (stretch_ + 1) % quietest_.size();
        quietest_[stretch_] = level;
    }
    quietest_[stretch_] = std::min(quietest_[stretch_], level);
    const double room = *std::min_element(quietest_.begin(), quietest_.end());
    if (level >= room * Amplitude(kPlayingAboveRoomDb)) {
        loudestPlaying_ = std::max(loudestPlaying_, level);
    }
}

}  // namespace fretlux
