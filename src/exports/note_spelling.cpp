// SPDX-License-Identifier: MIT
#include "exports/note_spelling.h"

#include <array>

namespace fretlux {

namespace {

constexpr std::array<NoteValue, 8> kNoteValues{{
    {16, "whole", false},
    {12, "half", true},
    {8, "half", false},
    {6, "quarter", true},
    {4, "quarter", false},
    {3, "eighth", true},
    {2, "eighth", false},
    {1, "16th", false},
}};

struct PitchClass {
    char step;
    int alter;
};

constexpr std::array<PitchClass, 12> kPitchClasses{{
    {'C', 0},
    {'C', 1},
    {'D', 0},
    {'D', 1},
    {'E', 0},
    {'F', 0},
    {'F', 1},
    {'G', 0},
    {'G', 1},
    {'A', 0},
    {'B', -1},
    {'B', 0},
}};

}  // namespace

std::vector<NoteValue> SpellLength(int sixteenths) {
    std::vector<NoteValue> pieces;
    for (const NoteValue& value : kNoteValues) {
        while (sixteenths >= value.sixteenths) {
            pieces.push_back(value);
            sixteenths -= value.sixteenths;
        }
    }
    return pieces;
}

SpelledPitch SpellPitch(int midiNote) {
    const PitchClass& pitchClass = kPitchClasses[midiNote % 12];
    return {pitchClass.step, pitchClass.alter, midiNote / 12 - 1};
}

std::string NoteNameWithOctave(int midiNote) {
    const SpelledPitch pitch = SpellPitch(midiNote);
    std::string name(1, pitch.step);
    if (pitch.alter != 0) name += pitch.alter > 0 ? '#' : 'b';
    return name + std::to_string(pitch.octave);
}

}  // namespace fretlux
