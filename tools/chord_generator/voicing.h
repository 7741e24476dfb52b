// SPDX-License-Identifier: MIT
// A chord shape on the six strings, by string number (1 = low E .. 6 = high E; index 0 unused).
#pragma once

#include <array>
#include <optional>

namespace fretlux::chordgen {

inline constexpr int kMuted = -1;
inline constexpr int kStringCount = 6;
inline constexpr std::array<int, kStringCount + 1> kOpenStringPitch = {0, 40, 45, 50, 55, 59, 64};

// Fret per string: kMuted, 0 for the open string, or the fret pressed.
using Frets = std::array<int, kStringCount + 1>;
// Finger per string, 1 (index) to 4 (little finger); 0 where no finger presses.
using Fingers = std::array<int, kStringCount + 1>;

struct Fingering {
    Fingers fingers{};
    // How awkward the hand is: fingers away from one finger per fret, and barres.
    double cost = 0;
};

// The most natural way to hold the frets with four fingers, one finger per fret where it can,
// the index finger barring a fret over several strings where it must; nothing when four
// fingers cannot hold them.
std::optional<Fingering> AssignFingers(const Frets& frets);

struct Voicing {
    Frets frets{};
    Fingers fingers{};
};

// The lowest and highest fret pressed; 0 and 0 when nothing is pressed.
int LowestFret(const Frets& frets);
int HighestFret(const Frets& frets);

}  // namespace fretlux::chordgen
