// SPDX-License-Identifier: MIT
#pragma once

#include <array>

#include "voicing.h"

namespace fretlux::chordgen {

inline constexpr int kVariations = 3;

// The three variations of a chord, climbing the neck: the first the shape chord books show for
// the chords guitarists use most, else the easiest shape in the lowest position (open strings
// allowed there), the other two movable shapes higher up. rootPitch is
// the root's pitch class (0 = C); type is the chord type number 0..32.
std::array<Voicing, kVariations> ChooseVoicings(int rootPitch, int type);

}  // namespace fretlux::chordgen
