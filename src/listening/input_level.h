// SPDX-License-Identifier: MIT
// Playing recorded quietly, with the microphone turned low or the guitar far from it, is heard as
// well as loud playing: the listener's thresholds (where silence ends, how faint a partial may
// be) hold for playing whose loudest 20 ms reach -28 dB full scale or more, so quieter input is
// brought up to that level before it is listened to. The gain is at most 30 dB, and input no
// louder than a silent room is left as it is, so that a room's noise does not become playing.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "listening/wave_reader.h"

namespace fretlux {

// The root mean square of the latest 20 ms of a stream of samples.
class RecentLevel {
public:
    explicit RecentLevel(int sampleRate);

    void Add(float sample);
    double Level() const;

private:
    std::vector<double> squares_;  // of the latest samples, sample i at i % size
    std::size_t added_ = 0;
    double sum_ = 0.0;
};

// The level of samples, dB full scale from their root mean square; -120 dB for silence.
double LevelDb(std::span<const float> samples);

// take, scaled by the gain for its loudest 20 ms.
MonoAudio AtListeningLevel(MonoAudio take);

// Live input, scaled by the gain for the loudest 20 ms of playing heard so far. The playing's
// level is known only as it goes on: the gain starts where the playing heard before on this
// input left it (1 when there was none) and rises slowly towards what the playing needs, since
// a pluck softer than those to come would otherwise set it far too high, and louder playing than
// any before lowers it at once. Only moments well above the room's noise count as playing, so
// that the noise before the first pluck sets no gain.
class LiveListeningLevel {
public:
    // playedBefore: the loudest 20 ms of playing (root mean square) that an earlier listener on
    // the same input heard; 0 for none.
    explicit LiveListeningLevel(int sampleRate, double playedBefore = 0.0);

    // Scales the input's next samples in place, each block by the gain that its own loudest
    // moment leaves, so that a pluck louder than any before is not scaled by the gain before it.
    void Apply(std::span<float> samples);
    double Gain() const { return gain_; }
    // The loudest 20 ms of playing heard so far, those played before included.
    double LoudestPlaying() const { return loudestPlaying_; }

private:
    void Follow(float sample);

    double sampleRate_;
    RecentLevel recent_;
    // The quietest 20 ms of each of the latest stretches of the input: the room's noise.
    std::vector<double> quietest_;
    std::size_t stretchLength_;
    std::size_t inStretch_ = 0;
    std::size_t stretch_ = 0;
    double loudestPlaying_ = 0.0;
    double gain_ = 1.0;
};

}  // namespace fretlux
