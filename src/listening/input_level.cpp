// SPDX-License-Identifier: MIT
#include "listening/input_level.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace fretlux {

namespace {

constexpr double kWindowSeconds = 0.02;
constexpr double kListeningLevelDb = -28.0;
constexpr double kMostGainDb = 30.0;
// A take whose loudest moment is quieter than this is a silent room, not soft playing.
constexpr double kSilentRoomDb = -66.0;

double Amplitude(double decibels) { return std::pow(10.0, decibels / 20.0); }

// The root mean square of the loudest of the take's consecutive 20 ms windows.
double LoudestWindowLevel(const MonoAudio& take) {
    const auto window =
        std::max<std::size_t>(1, static_cast<std::size_t>(kWindowSeconds * take.sampleRate));
    const std::span<const float> samples(take.samples);
    double loudest = 0.0;
    for (std::size_t at = 0; at < samples.size(); at += window) {
        const auto part = samples.subspan(at, std::min(window, samples.size() - at));
        double squares = 0.0;
        for (const float s : part) squares += double(s) * s;
        loudest = std::max(loudest, std::sqrt(squares / static_cast<double>(part.size())));
    }
    return loudest;
}

}  // namespace

double ListeningGain(const MonoAudio& take) {
    const double loudest = LoudestWindowLevel(take);
    if (loudest < Amplitude(kSilentRoomDb)) return 1.0;
    return std::clamp(Amplitude(kListeningLevelDb) / loudest, 1.0, Amplitude(kMostGainDb));
}

MonoAudio AtListeningLevel(MonoAudio take) {
    const double gain = ListeningGain(take);
    if (gain == 1.0) return take;
    for (float& s : take.samples) s = static_cast<float>(s * gain);
    return take;
}

}  // namespace fretlux
