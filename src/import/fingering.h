// SPDX-License-Identifier: MIT
// Places notes known only by pitch on the standard-tuned six strings.
#pragma once

#include <optional>
#include <vector>

namespace fretlux {

inline constexpr int kLowestGuitarPitch = 40;   // E2, the open low E string
inline constexpr int kHighestGuitarPitch = 88;  // E6, the 24th fret of the high E string
inline constexpr int kMaxFret = 24;

struct StringFret {
    int line;  // TAB line 1..6, 1 = the high E string
    int fret;
};

// A pitch moved by octaves into the range of the standard-tuned guitar.
int PitchInGuitarRange(int pitch);

// Keeps the hand near where the previous chord left it.
class Fingering {
public:
    // One entry per pitch (each already in range): where it is played, or nothing when the chord
    // has more notes than strings. Every string takes one note, and the fretted notes span at
    // most five frets wherever some placement allows it.
    std::vector<std::optional<StringFret>> Place(const std::vector<int>& pitches);

private:
    int handPosition_ = 0;
};

}  // namespace fretlux
