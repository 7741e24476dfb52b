// SPDX-License-Identifier: MIT
// The shapes chord books print for the chords guitarists use most, and the names guitarists give
// a movable shape after the open chord it is moved up from ("the A-shape barre").
#pragma once

#include <optional>

#include "voicing.h"

namespace fretlux::chordgen {

// The shape a chord book shows first for the chord of root pitch class rootPitch (0 = C) and
// chord type number type, with its usual fingers; nothing for the chords books disagree on.
std::optional<Voicing> FamiliarFirstShape(int rootPitch, int type);

// The letter of the open chord whose shape the voicing is, moved up the neck with the nut's
// open strings pressed by finger 1: 'A' for the A-shape barre. Nothing for other voicings.
std::optional<char> MovedOpenShape(int type, const Frets& frets);

}  // namespace fretlux::chordgen
