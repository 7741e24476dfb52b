// SPDX-License-Identifier: MIT
// The fretboard of the main window: marking notes with the mouse, fingers and colours from the
// buttons and keys, moving a column between the fretboard and the TAB, and turning the board.
#include "app/fretlux_form.h"
#include "app/undo_step.h"
#include "document/render_fret_digits.h"
#include "document/strings.h"

namespace fretlux {

void FretluxForm::PlayPress(const PressResult& press) {
    if (press.play) midi.PlayNote(press.position, press.row);
}

void FretluxForm::PressFretboard(int row, int index, int button) {
    PlayPress(PressPosition(fretboard, selection, row, index, button));
}

void FretluxForm::PressFinger(int row, int index, int button) {
    PlayPress(PressPosition(fretboard, selection, row, index, button));
}

void FretluxForm::DoubleClickFingerMark(int row, int index) {
    DoubleClickFinger(fretboard, row, index);
}

void FretluxForm::HintFretboard() { lblHelp = {kFretboardHint, kHintBlue}; }

void FretluxForm::HintStringNamesLeft() { lblHelp = {kStringNamesHint, kHintBlue}; }

void FretluxForm::HintStringNamesRight() { lblHelp = {kStringNamesHint, kHintBlue}; }

void FretluxForm::AllocateFinger(int index) {
    fretlux::AllocateFinger(fretboard, selection, index);
}

void FretluxForm::HintFinger(int index) {
    lblHelp = {HintOf(static_cast<HintedButton>(static_cast<int>(HintedButton::imgFNum0) + index)),
               kHintBlue};
}

// A string's name sounds its open string, wherever the board has turned it; the blank side
// names nothing.
void FretluxForm::PlayOpenString(int row, bool rightSide) {
    const auto& names = rightSide ? stringNames.lblStrgR : stringNames.lblStrgL;
    if (names[row - 1].empty()) return;
    midi.PlayNote(orientation.PositionOfFret(0), row);
}

void FretluxForm::MarkSounding() { fretlux::MarkSounding(fretboard, selection); }

void FretluxForm::MarkSilent() { fretlux::MarkSilent(fretboard, selection); }

void FretluxForm::TypeCharacter(int keyAscii) {
    if (keyAscii == ' ') {
        if (Playing()) {
            HaltPlayback();
        } else {
            BeginPlayback();
        }
        return;
    }
    if (fretlux::TypeCharacter(fretboard, selection, keyAscii) == KeyCommand::kPasteFretboard) {
        PasteFretboardColumn();
    }
}

void FretluxForm::ClearFretboard() { ClearMarks(); }

void FretluxForm::ClearMarks() {
    midi.lblNote.clear();
    fretboard.Clear();
}

void FretluxForm::ShowCell(int s, std::string_view notes) {
    ShowCellOnFretboard({fretboard, orientation, shownNotes, Playing(),
                         [this](int position, int row) { midi.PlayNote(position, row); }},
                        s, notes);
}

void FretluxForm::PasteFretboard() { PasteFretboardColumn(); }

void FretluxForm::PasteFretboardColumn() {
    if (!ShowsTab()) return;
    const UndoStep step(*this);
    ReadFretboardColumn(fretboard, orientation, workColumn);
    // Line 1 (high E) takes string 6, line 6 (low E) string 1.
    std::array<std::string, kLinesPerTab> column;
    for (int l = 1; l < kLinesPerTab; ++l) column[l] = workColumn[7 - l];
    ReplaceColumns(column);
    RenderFretDigits(document, CurrentTabIndex());
    ShowWithCursorAfterInsertedColumn();
}

// Turning the board keeps the marks where they are musically: they are read out by string and
// fret, the board is turned, and they are shown again without a sound.
void FretluxForm::Rotate(void (*flip)(Orientation&, StringNameLabels&)) {
    if (Playing()) HaltPlayback();
    ReadFretboardColumn(fretboard, orientation, workColumn);
    ClearMarks();
    flip(orientation, stringNames);
    const bool soundWasOn = midi.soundOn;
    midi.soundOn = false;
    for (int s = 1; s <= kStrings; ++s) ShowCell(s, Right(workColumn[s], 4));
    midi.soundOn = soundWasOn;
}

void FretluxForm::RotateLeftRight() { Rotate(FlipLeftRight); }

void FretluxForm::RotateUpDown() { Rotate(FlipUpDown); }

void FretluxForm::HintLeftRight() { lblHelp = {kLeftRightHint, kHintBlue}; }

void FretluxForm::HintUpDown() { lblHelp = {kUpDownHint, kHintBlue}; }

}  // namespace fretlux
