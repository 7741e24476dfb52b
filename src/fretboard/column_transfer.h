// SPDX-License-Identifier: MIT
// Notes travel between the fretboard and a TAB column one string at a time. A cell's note
// content is its last four characters: two note slots of a fret letter and an attribute letter.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "fretboard/fretboard.h"
#include "fretboard/orientation.h"
#include "fretboard/tuning.h"

namespace fretlux {

inline constexpr int kNoteContentLength = 4;
inline constexpr std::string_view kBlankNotes = "    ";

// Slot s (1..6) is the cell of string number s, slot 1 the low E string; slot 0 is unused.
using WorkColumn = std::array<std::string, kStrings + 1>;
// Entry r (1..6) is the note content last shown on row r; entry 0 is unused. An empty string
// counts as four blanks.
using ShownNotes = std::array<std::string, kRows + 1>;

// What an attribute letter makes of a mark.
struct NoteAttribute {
    bool playable = false;
    std::string finger;
};

NoteAttribute ReadAttributeLetter(char attribute);

// Reads the marks into six cells "-" + two slots, higher fret first. Of two marks on a string
// the lower one is turned black before it is read.
void ReadFretboardColumn(Fretboard& board, const Orientation& orientation, WorkColumn& workColumn);

// What showing a cell works on. `play` is asked to sound each playable note it shows.
struct CellDisplay {
    Fretboard& fretboard;
    const Orientation& orientation;
    ShownNotes& shownNotes;
    bool playbackRunning = false;
    std::function<void(int position, int row)> play;
};

// Shows the note content c on the row of string s (1..6) and records it in shownNotes. While
// playback runs, what the row showed before is taken back. Characters missing from c read as
// blanks, and a fret letter past "Y" is skipped.
void ShowCellOnFretboard(const CellDisplay& display, int s, std::string_view c);

// Removes from row r the notes recorded for it, and forgets them.
void ClearShownNotes(Fretboard& board, const Orientation& orientation, ShownNotes& shownNotes,
                     int r);

}  // namespace fretlux
