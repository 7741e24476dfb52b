// SPDX-License-Identifier: MIT
// A step's columns laid out so that every fret reads as the number it is: two notes on one string
// never stand in neighbouring columns (3 and 3 would read as 33), nor does a fret from 10 on touch
// another note's digit. Where the music is too dense for that, each column is followed by empty
// ones and the tempo quickened to match, and music wider than a TAB goes on in further TABs.
#pragma once

#include <vector>

#include "lesson_builder/music_columns.h"

namespace fretlux::lessons {

// Whether every note's digits stand apart from those of the notes beside it on its string.
bool DigitsStandApart(const std::vector<Column>& columns);

struct ReadableMusic {
    // The columns of each TAB the step needs, at most a TAB's width each.
    std::vector<std::vector<Column>> tabs;
    // The tempo value that keeps the music's speed over the spread columns.
    int tempo;
};

// Spreads the columns as little as makes every fret readable and cuts them into TABs, at bar
// lines where it can; throws std::runtime_error when no spreading helps.
ReadableMusic MakeReadable(const std::vector<Column>& columns, int tempo);

}  // namespace fretlux::lessons
