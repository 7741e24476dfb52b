// SPDX-License-Identifier: MIT
// The pitch of one note sounding through a stretch of sound, as a tuner reads it: the frequency
// of its first partial. The note is the one whose harmonic series best explains the partials in
// the spectrum: the note played, even where its first partial is weak or missing (low strings
// through small speakers), never a louder partial of it an octave or a twelfth up. A clear first
// partial is the pitch itself; where it is faint, the partials place it to a fraction of a cent,
// with a string's stretching of its higher partials (inharmonicity) fitted rather than taken for
// mistuning.
#pragma once

#include <optional>
#include <span>

namespace fretlux {

inline constexpr double kLowestPitchHertz = 70.0;
inline constexpr double kHighestPitchHertz = 1000.0;

// The note's frequency in hertz, or nothing when no pitch between kLowestPitchHertz and
// kHighestPitchHertz is heard clearly. before, when given, is the sound just ahead of the note's
// onset: partials that were as strong there count only for what they gained, so that strings
// still ringing from earlier are not taken for the note.
std::optional<double> MeasurePitch(std::span<const float> samples, int sampleRate,
                                   std::span<const float> before = {});

// Whether a note began between before, the sound just ahead of an onset, and after, the sound
// just after it; true when nothing came before.
bool NoteBegan(std::span<const float> after, std::span<const float> before, int sampleRate);

// YIN's estimate (aubio's yinfast) alone: the median over the stretch of the confident frames.
std::optional<double> RoughPitch(std::span<const float> samples, int sampleRate);

}  // namespace fretlux
