// SPDX-License-Identifier: MIT
#include "app/fretboard_panel.h"

#include "document/strings.h"

namespace fretlux {

void FretboardPanel::Press(int row, int index, int button) {
    const PressResult press = PressPosition(board_, selection_, row, index, button);
    if (press.play) midi_.PlayNote(press.position, press.row);
}

void FretboardPanel::DoubleClickFinger(int row, int index) {
    fretlux::DoubleClickFinger(board_, row, index);
}

void FretboardPanel::AllocateFinger(int index) {
    fretlux::AllocateFinger(board_, selection_, index);
}

void FretboardPanel::MarkSounding() { fretlux::MarkSounding(board_, selection_); }

void FretboardPanel::MarkSilent() { fretlux::MarkSilent(board_, selection_); }

KeyCommand FretboardPanel::TypeCharacter(int keyAscii) {
    return fretlux::TypeCharacter(board_, selection_, keyAscii);
}

// A string's name sounds its open string, wherever the board has turned it; the blank side
// names nothing.
void FretboardPanel::PlayOpenString(int row, bool rightSide) {
    const auto& names = rightSide ? stringNames_.lblStrgR : stringNames_.lblStrgL;
    if (names[row - 1].empty()) return;
    midi_.PlayNote(orientation_.PositionOfFret(0), row);
}

void FretboardPanel::Clear() {
    midi_.lblNote.clear();
    board_.Clear();
}

const WorkColumn& FretboardPanel::ReadColumn() {
    ReadFretboardColumn(board_, orientation_, workColumn_);
    return workColumn_;
}

void FretboardPanel::TakeColumn(const WorkColumn& column) { workColumn_ = column; }

void FretboardPanel::BlankColumn() {
    for (int s = 1; s <= kStrings; ++s) workColumn_[s] = std::string(kBlankNotes);
}

// A chord holds four characters a string; a cell the board left there, five.
void FretboardPanel::ShowColumn(bool playing) {
    for (int s = 1; s <= kStrings; ++s) ShowCell(s, Right(workColumn_[s], 4), playing);
}

void FretboardPanel::ShowCell(int s, std::string_view notes, bool playing) {
    ShowCellOnFretboard({board_, orientation_, shownNotes_, playing,
                         [this](int position, int row) { midi_.PlayNote(position, row); }},
                        s, notes);
}

void FretboardPanel::ForgetShownNotes() { shownNotes_.fill(std::string(kBlankNotes)); }

// Turning the board keeps the marks where they are musically: they are read out by string and
// fret, the board is turned, and they are shown again without a sound.
void FretboardPanel::Turn(void (*flip)(Orientation&, StringNameLabels&)) {
    ReadColumn();
    Clear();
    flip(orientation_, stringNames_);
    const SilentMidi silent(midi_);
    ShowColumn(false);
}

}  // namespace fretlux
