// SPDX-License-Identifier: MIT
// How far a student's guitar lies from concert pitch, heard from the notes it should be playing.
// Strings drift together, mostly flat, and a guitar tuned to itself rather than to a tuner may lie
// a quarter of a semitone away or more; a listener that sought each partial at concert pitch would
// then take right notes for wrong ones. A guitar that lies some cents flat sounds in tune when its
// sound is played that many cents faster, so the hearing takes the samples at a rate scaled that
// far: every frequency it measures or seeks is then one of a guitar in tune.
#pragma once

#include <optional>
#include <vector>

#include "listening/onset_look.h"

namespace fretlux {

// Further than this from concert pitch, a note is nearer the next one.
inline constexpr double kFarthestOffsetCents = 50.0;

// How far, in cents, the lowest partials of the expected notes that rose at a column's onsets lie
// from their places at concert pitch; nothing when too little of what rose lies near them, as
// where a wrong note was played, or the expected ones rang on.
std::optional<double> TuningOffsetAt(const Look& look, const std::vector<int>& expected);

// The guitar's offset from the columns' offsets: the median, which wrong notes and stray peaks
// do not move; 0 for none.
double MedianOffset(std::vector<double> offsets);

// The rate at which samples of a guitar offsetCents from concert pitch are heard in tune.
int RateHeardInTune(int sampleRate, double offsetCents);

}  // namespace fretlux
