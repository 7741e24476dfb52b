// SPDX-License-Identifier: MIT
// The window's fretboard: its marks, the way it is turned, the string names, and the notes it
// sounds when a mark is made or a column is shown on it.
#pragma once

#include <string_view>

#include "fretboard/column_transfer.h"
#include "fretboard/fretboard.h"
#include "fretboard/note_marking.h"
#include "fretboard/orientation.h"
#include "fretboard/string_names.h"
#include "playback/midi_state.h"

namespace fretlux {

class FretboardPanel {
public:
    // The board sounds through midi, which may be built after the board: the board only keeps
    // it until it plays.
    explicit FretboardPanel(MidiState& midi) : midi_(midi) {}
    FretboardPanel(const FretboardPanel&) = delete;
    FretboardPanel& operator=(const FretboardPanel&) = delete;

    const Fretboard& Marks() const { return board_; }
    const Orientation& Turned() const { return orientation_; }
    const StringNameLabels& StringNames() const { return stringNames_; }

    // Marks, rows 1..6, position index 0..24.
    void Press(int row, int index, int button);
    void DoubleClickFinger(int row, int index);
    void AllocateFinger(int index);
    void MarkSounding();
    void MarkSilent();
    // A typed character that marks the last note chosen; what it asked for.
    KeyCommand TypeCharacter(int keyAscii);
    // A string's name, row 1..6, pressed on the left or the right of the board.
    void PlayOpenString(int row, bool rightSide);
    // Removes every mark and the name of the note last sounded.
    void Clear();

    // The column the board works on: read from the marks, given by a chord, or blank.
    const WorkColumn& ReadColumn();
    void TakeColumn(const WorkColumn& column);
    void BlankColumn();
    // Shows the column's strings on the board, sounding each playable note.
    void ShowColumn(bool playing);
    // Shows notes on string s (1..6), and sounds them unless playback is running.
    void ShowCell(int s, std::string_view notes, bool playing);
    // Playback shows its columns on a board that has shown nothing yet.
    void ForgetShownNotes();
    // Turns the board and shows its marks where they were musically, without a sound; playback
    // has stopped first.
    void Turn(void (*flip)(Orientation&, StringNameLabels&));

private:
    MidiState& midi_;
    Orientation orientation_;
    Fretboard board_;
    LastSelection selection_;
    StringNameLabels stringNames_;
    WorkColumn workColumn_;
    ShownNotes shownNotes_;
};

}  // namespace fretlux
