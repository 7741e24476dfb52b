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

void FretluxForm::lblStr_MouseDown(int row, int index, int button) {
    PlayPress(PressPosition(fretboard, selection, row, index, button));
}

void FretluxForm::lblFing_MouseDown(int row, int index, int button) {
    PlayPress(PressPosition(fretboard, selection, row, index, button));
}

void FretluxForm::lblFing_DblClick(int row, int index) { DoubleClickFinger(fretboard, row, index); }

void FretluxForm::lblStr_MouseMove() { lblHelp = {kFretboardHint, kHintBlue}; }

void FretluxForm::lblStrgL_MouseMove() { lblHelp = {kStringNamesHint, kHintBlue}; }

void FretluxForm::lblStrgR_MouseMove() { lblHelp = {kStringNamesHint, kHintBlue}; }

void FretluxForm::imgFNum_Click(int index) { fretlux::imgFNum_Click(fretboard, selection, index); }

void FretluxForm::imgFNum_MouseMove(int index) {
    lblHelp = {HintOf(static_cast<HintedButton>(static_cast<int>(HintedButton::imgFNum0) + index)),
               kHintBlue};
}

// A string's name sounds its open string, wherever the board has turned it; the blank side
// names nothing.
void FretluxForm::lblStrg_MouseDown(int row, bool rightSide) {
    const auto& names = rightSide ? stringNames.lblStrgR : stringNames.lblStrgL;
    if (names[row - 1].empty()) return;
    midi.PlayNote(orientation.PositionOfFret(0), row);
}

void FretluxForm::imgSound_Click() { fretlux::imgSound_Click(fretboard, selection); }

void FretluxForm::imgNoSound_Click() { fretlux::imgNoSound_Click(fretboard, selection); }

void FretluxForm::Form_KeyPress(int keyAscii) {
    if (keyAscii == ' ') {
        if (Playing()) {
            mnuPlayStop_Click();
        } else {
            mnuPlayStart_Click();
        }
        return;
    }
    if (fretlux::Form_KeyPress(fretboard, selection, keyAscii) == KeyCommand::kPasteFretboard) {
        mnuEditPasteFret_Click();
    }
}

void FretluxForm::mnuEditClearFB_Click() {
    midi.lblNote.clear();
    fretboard.Clear();
}

void FretluxForm::ShowCell(int s, std::string_view notes) {
    ShowCellOnFretboard({fretboard, orientation, shownNotes, Playing(),
                         [this](int position, int row) { midi.PlayNote(position, row); }},
                        s, notes);
}

void FretluxForm::mnuEditPasteFret_Click() {
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
    if (Playing()) mnuPlayStop_Click();
    ReadFretboardColumn(fretboard, orientation, workColumn);
    mnuEditClearFB_Click();
    flip(orientation, stringNames);
    const bool soundWasOn = midi.soundOn;
    midi.soundOn = false;
    for (int s = 1; s <= kStrings; ++s) ShowCell(s, Right(workColumn[s], 4));
    midi.soundOn = soundWasOn;
}

void FretluxForm::mnuSetLefRig_Click() { Rotate(FlipLeftRight); }

void FretluxForm::mnuSetUpDown_Click() { Rotate(FlipUpDown); }

void FretluxForm::imgLefRig_MouseDown() { mnuSetLefRig_Click(); }

void FretluxForm::imgUpDown_MouseDown() { mnuSetUpDown_Click(); }

void FretluxForm::imgLefRig_MouseMove() { lblHelp = {kLeftRightHint, kHintBlue}; }

void FretluxForm::imgUpDown_MouseMove() { lblHelp = {kUpDownHint, kHintBlue}; }

}  // namespace fretlux
