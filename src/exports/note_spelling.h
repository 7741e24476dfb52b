// SPDX-License-Identifier: MIT
// How notation writes a pitch and a length: a step with an alteration in an octave, and a
// length as note values (plain or dotted), tied where no single value spells it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fretlux {

struct NoteValue {
    int sixteenths;
    std::string_view type;  // MusicXML's name of the undotted value
    bool dotted;
};

// The values a length of sixteenths is written as, longest first.
std::vector<NoteValue> SpellLength(int sixteenths);

struct SpelledPitch {
    char step;   // 'A'..'G'
    int alter;   // 1 sharp, -1 flat, 0 natural
    int octave;  // middle C (MIDI 60) starts octave 4
};

// Sharps, except the note between A and B, which is spelt B flat as the fretboard names it.
SpelledPitch SpellPitch(int midiNote);

// A MIDI note's name with its octave as Fretlux spells notes (B flat, the other black keys
// sharp): 40 is "E2", 70 "Bb4".
std::string NoteNameWithOctave(int midiNote);

}  // namespace fretlux
