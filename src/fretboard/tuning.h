// SPDX-License-Identifier: MIT
// Standard tuning: strings are numbered 1 (low E) to 6 (high E); string s at fret f sounds MIDI
// note openStringNotes[s] + f, from 40 to 88 over the whole fretboard.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace fretlux {

inline constexpr int kStrings = 6;
inline constexpr int kLowestNote = 40;
inline constexpr int kNamedNotes = 50;  // MIDI notes 40..89

// Twelve two-character names from E, the note between A and B spelt as the flat.
inline constexpr std::string_view kNoteNameTable = "E F F#G G#A BbB C C#D D#";
// String names from string 1 to string 6, and in TAB line order (string 6 to string 1).
inline constexpr std::string_view kStringNamesLowToHigh = "EADGBE";
inline constexpr std::string_view kStringNamesHighToLow = "EBGDAE";

struct Tuning {
    Tuning();

    // The note of string s (1..6) at fret f (0..24).
    int Pitch(int s, int f) const { return openStringNotes[s] + f; }
    // The two-character name of MIDI note 40..89, a one-letter name followed by a blank.
    const std::string& NameOf(int note) const { return noteNames[note - kLowestNote]; }

    std::array<int, kStrings + 1> openStringNotes{};  // index 0 stands for no string
    std::array<std::string, kNamedNotes> noteNames;
};

}  // namespace fretlux
