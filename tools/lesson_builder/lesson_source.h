// SPDX-License-Identifier: MIT
// A lesson as its author writes it: chord shapes and rhythms named once, then steps, each with a
// title, the tempo, volume and instrument it plays with, its explanation, and its music.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "document/tab_header.h"

namespace fretlux::lessons {

// A fretted note: string 1 (low E) .. 6 (high E), fret 0..24, finger 0 (none), 1..4, 5 (thumb).
struct Note {
    int string;
    int fret;
    int finger;
};

using ChordShape = std::vector<Note>;

struct Step {
    int sourceLine;
    std::string label;
    TabSettings settings;
    std::vector<std::string> textLines;  // as written: paragraphs of running text
    std::vector<std::string> music;      // the music's tokens, in order
};

struct LessonSource {
    std::map<std::string, ChordShape> chords;
    std::map<std::string, std::vector<std::string>> rhythms;
    std::vector<Step> steps;
};

// Parses a lesson source; throws std::runtime_error naming the line of a mistake.
LessonSource ParseLessonSource(const std::string& text);

// A note written as a string letter (E A D G B e, low to high), the fret, and ":finger"
// (1..4 or T) when a finger frets it, such as A3:2 or e0.
Note ParseNote(const std::string& token);

}  // namespace fretlux::lessons
