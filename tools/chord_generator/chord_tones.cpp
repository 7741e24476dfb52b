// SPDX-License-Identifier: MIT
#include "chord_tones.h"

#include <array>

#include "chords/chord_names.h"

namespace fretlux::chordgen {

namespace {

constexpr bool D = true;   // defining
constexpr bool o = false;  // may be left out

ChordSpelling Make(std::vector<ChordTone> tones, std::string_view words) {
    return {std::move(tones), words};
}

std::array<ChordSpelling, kChordTypes> BuildSpellings() {
    return {
        Make({{0, "1", D}, {4, "3", D}, {8, "#5", D}}, "augmented, the same chord as aug"),
        Make({{0, "1", D}, {4, "3", o}, {7, "5", o}, {10, "b7", D}, {2, "9", o}, {5, "11", D}},
             "eleventh"),
        Make({{0, "1", D}, {4, "3", D}, {7, "5", o}, {10, "b7", D}, {2, "9", o}, {6, "#11", D}},
             "eleventh with a sharp eleven"),
        Make({{0, "1", D},
              {4, "3", D},
              {7, "5", o},
              {10, "b7", D},
              {2, "9", o},
              {5, "11", o},
              {9, "13", D}},
             "thirteenth"),
        Make({{0, "1", D}, {4, "3", D}, {7, "5", o}, {9, "6", D}}, "major sixth"),
        Make({{0, "1", D}, {4, "3", D}, {7, "5", o}, {9, "6", D}, {2, "9", D}}, "six nine"),
        Make({{0, "1", D}, {4, "3", D}, {7, "5", o}, {10, "b7", D}}, "dominant seventh"),
        Make({{0, "1", D}, {4, "3", D}, {8, "#5", D}, {10, "b7", D}}, "seventh with a sharp five"),
        Make({{0, "1", D}, {4, "3", D}, {8, "#5", D}, {10, "b7", D}, {1, "b9", D}},
             "seventh with a sharp five and a flat nine"),
        Make({{0, "1", D}, {4, "3", D}, {7, "5", o}, {10, "b7", D}, {3, "#9", D}},
             "seventh with a sharp nine"),
        Make({{0, "1", D}, {4, "3", D}, {6, "b5", D}, {10, "b7", D}}, "seventh with a flat five"),
        Make({{0, "1", D}, {4, "3", D}, {7, "5", o}, {10, "b7", D}, {1, "b9", D}},
             "seventh with a flat nine"),
        Make({{0, "1", D}, {5, "4", D}, {7, "5", o}, {10, "b7", D}}, "seventh suspended fourth"),
        Make({{0, "1", D}, {4, "3", D}, {7, "5", o}, {10, "b7", D}, {2, "9", D}}, "ninth"),
        Make({{0, "1", D}, {4, "3", D}, {8, "#5", D}, {10, "b7", D}, {2, "9", D}},
             "ninth with a sharp five"),
        // Chord books name the four-note chord "dim"; the triad is its first three notes.
        Make({{0, "1", D}, {3, "b3", D}, {6, "b5", D}, {9, "bb7", D}},
             "diminished seventh, the diminished triad and bb7"),
        Make({{0, "1", D}, {3, "b3", D}, {7, "5", D}}, "minor"),
        Make({{0, "1", D}, {3, "b3", D}, {8, "#5", D}}, "minor with a sharp five"),
        Make({{0, "1", D}, {3, "b3", D}, {7, "5", o}, {11, "7", D}}, "minor major seventh"),
        Make({{0, "1", D}, {3, "b3", D}, {7, "5", o}, {9, "6", D}}, "minor sixth"),
        Make({{0, "1", D}, {3, "b3", D}, {7, "5", o}, {9, "6", D}, {2, "9", D}}, "minor six nine"),
        Make({{0, "1", D}, {3, "b3", D}, {7, "5", o}, {10, "b7", D}}, "minor seventh"),
        Make({{0, "1", D}, {3, "b3", D}, {6, "b5", D}, {10, "b7", D}},
             "minor seventh with a flat five"),
        Make({{0, "1", D}, {3, "b3", D}, {7, "5", o}, {10, "b7", D}, {1, "b9", D}},
             "minor seventh with a flat nine"),
        Make({{0, "1", D}, {3, "b3", D}, {7, "5", o}, {10, "b7", D}, {2, "9", D}}, "minor ninth"),
        Make({{0, "1", D}, {3, "b3", D}, {7, "5", o}, {11, "7", D}, {2, "9", D}},
             "minor ninth with a major seventh"),
        Make({{0, "1", D}, {4, "3", D}, {7, "5", D}}, "major"),
        Make({{0, "1", D}, {4, "3", o}, {7, "5", o}, {11, "7", D}, {2, "9", o}, {5, "11", D}},
             "major eleventh"),
        Make({{0, "1", D}, {4, "3", D}, {7, "5", o}, {11, "7", D}}, "major seventh"),
        Make({{0, "1", D}, {4, "3", D}, {7, "5", o}, {11, "7", D}, {2, "9", D}}, "major ninth"),
        Make({{0, "1", D}, {2, "2", D}, {7, "5", D}}, "suspended second"),
        Make({{0, "1", D}, {5, "4", D}, {7, "5", D}}, "suspended fourth"),
        Make({{0, "1", D}, {4, "3", D}, {8, "#5", D}}, "augmented, the same chord as +5"),
    };
}

}  // namespace

const ChordSpelling& SpellingOf(int type) {
    static const std::array<ChordSpelling, kChordTypes> spellings = BuildSpellings();
    return spellings.at(static_cast<std::size_t>(type));
}

}  // namespace fretlux::chordgen
