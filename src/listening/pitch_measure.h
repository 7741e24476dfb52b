// SPDX-License-Identifier: MIT
// The pitch of one note sounding through a stretch of sound, as a tuner reads it: the frequency
// of its first partial. YIN (aubio's yinfast) finds the note, safe from octave errors; the
// partials found in the spectrum then place it to a fraction of a cent, with a string's
// stretching of its higher partials (inharmonicity) fitted rather than taken for mistuning.
#pragma once

#include <optional>
#include <span>

namespace fretlux {

inline constexpr double kLowestPitchHertz = 70.0;
inline constexpr double kHighestPitchHertz = 1000.0;

// The note's frequency in hertz, or nothing when no pitch between kLowestPitchHertz and
// kHighestPitchHertz is heard clearly.
std::optional<double> MeasurePitch(std::span<const float> samples, int sampleRate);

// YIN's estimate alone: the median over the stretch of the confident frames.
std::optional<double> RoughPitch(std::span<const float> samples, int sampleRate);

// The first partial of the note whose fundamental lies within a third of a semitone of rough,
// placed by its partials in the stretch.
std::optional<double> RefinePitch(std::span<const float> samples, int sampleRate, double rough);

}  // namespace fretlux
