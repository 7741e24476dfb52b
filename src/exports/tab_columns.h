// SPDX-License-Identifier: MIT
// The columns of one TAB as they sound: the notes each column starts, whether it is a bar, and
// the techniques that the symbols between notes spell.
#pragma once

#include <array>
#include <vector>

#include "document/tab_document.h"
#include "exports/tab_score.h"

namespace fretlux {

struct SoundingColumn {
    std::array<char, kLinesPerTab> symbols{};  // the display symbol of each line's cell, 1..6
    bool bar = false;
    std::vector<ScoreNote> notes;  // sounding notes and dead notes, low E string first
};

// The columns the TAB view cuts from the TAB: the first 79, a short line read as blanks.
std::vector<SoundingColumn> ReadColumns(const TabBlock& block);

// Joins notes by the symbols between them on their string: "h" hammer-on, "p" pull-off, "/"
// and "\" slides, "b" bend, "~" vibrato. A symbol counts only right after a note (its second
// digit aside), and the joining ones only right before the next note; anything else between
// two notes separates them.
void LinkTechniques(std::vector<SoundingColumn>& columns);

}  // namespace fretlux
