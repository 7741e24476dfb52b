// SPDX-License-Identifier: MIT
// What each chord type is made of: its tones as semitones above the root with the interval's
// name, and which of them a voicing must sound to be that chord.
#pragma once

#include <string_view>
#include <vector>

namespace fretlux::chordgen {

struct ChordTone {
    int semitones;
    // The interval's name: "1", "b3", "#5", "b7", "9", "11", "13" ...
    std::string_view interval;
    // The chord is not itself without this tone.
    bool defining;
};

struct ChordSpelling {
    std::vector<ChordTone> tones;
    // The type in plain words.
    std::string_view words;
};

// The spelling of chord type number 0..32.
const ChordSpelling& SpellingOf(int type);

}  // namespace fretlux::chordgen
