// SPDX-License-Identifier: MIT
// The chord library's names: the twelve roots, the 33 chord types in the order the chord files
// hold them, the three variations, and the file that holds a root's chords.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace fretlux {

inline constexpr int kChordRoots = 12;
inline constexpr int kChordTypes = 33;
inline constexpr int kChordVariations = 3;
// Type 26, the one browsing opens at and the finder preselects.
inline constexpr int kMajorType = 26;

// The note table: root index 0 is A, then up by semitones to G#. A name is two characters, the
// second a blank for the natural notes.
inline constexpr std::array<std::string_view, kChordRoots> kRootNotes = {
    "A ", "A#", "B ", "C ", "C#", "D ", "D#", "E ", "F ", "F#", "G ", "G#"};

// The roots as the Chords menu and the finder list them.
inline constexpr std::array<std::string_view, kChordRoots> kRootCaptions = {
    "A", "A#/Bb", "B", "C", "C#/Db", "D", "D#/Eb", "E", "F", "F#/Gb", "G", "G#/Ab"};

// Type number n is kChordTypeNames[n]; block n / 2 of a chord file holds it, in the left half
// for an even n.
inline constexpr std::array<std::string_view, kChordTypes> kChordTypeNames = {
    "+5",   "11",    "11+", "13",   "6",     "6.9",   "7",    "7+5",  "7+5(-9)", "7-10", "7-5",
    "7-9",  "7sus4", "9",   "9+5",  "dim",   "minor", "m+5",  "m+7",  "m6",      "m6.9", "m7",
    "m7-5", "m7-9",  "m9",  "m9+7", "Major", "Maj11", "Maj7", "Maj9", "sus2",    "sus4", "aug"};

inline constexpr std::array<std::string_view, kChordVariations> kVariationNames = {
    "Variation 1", "Variation 2", "Variation 3"};

// programDirectory + separator + "Chord" + the trimmed root name + ".flx".
std::string ChordFileName(std::string_view programDirectory, int root);

}  // namespace fretlux
