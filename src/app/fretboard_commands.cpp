// SPDX-License-Identifier: MIT
// The fretboard's commands that reach past the board: its hints in the help line, the keys,
// moving a column between the fretboard and the TAB, and turning the board.
#include "app/fretlux_form.h"
#include "app/undo_step.h"
#include "document/render_fret_digits.h"

namespace fretlux {

void FretluxForm::HintFretboard() { lblHelp = {kFretboardHint, kHintBlue}; }

void FretluxForm::HintStringNamesLeft() { lblHelp = {kStringNamesHint, kHintBlue}; }

void FretluxForm::HintStringNamesRight() { lblHelp = {kStringNamesHint, kHintBlue}; }

void FretluxForm::HintFinger(int index) {
    lblHelp = {HintOf(static_cast<HintedButton>(static_cast<int>(HintedButton::imgFNum0) + index)),
               kHintBlue};
}

void FretluxForm::MarkSounding() { board_.MarkSounding(); }

void FretluxForm::MarkSilent() { board_.MarkSilent(); }

void FretluxForm::TypeCharacter(int keyAscii) {
    if (keyAscii == ' ') {
        if (Playing()) {
            HaltPlayback();
        } else {
            BeginPlayback();
        }
        return;
    }
    if (board_.TypeCharacter(keyAscii) == KeyCommand::kPasteFretboard) PasteFretboardColumn();
}

void FretluxForm::ClearFretboard() { board_.Clear(); }

void FretluxForm::ShowCell(int s, std::string_view notes) { board_.ShowCell(s, notes, Playing()); }

void FretluxForm::PasteFretboard() { PasteFretboardColumn(); }

void FretluxForm::PasteFretboardColumn() {
    if (!ShowsTab()) return;
    const UndoStep step(*this);
    const WorkColumn& read = board_.ReadColumn();
    // Line 1 (high E) takes string 6, line 6 (low E) string 1.
    std::array<std::string, kLinesPerTab> column;
    for (int l = 1; l < kLinesPerTab; ++l) column[l] = read[7 - l];
    ReplaceColumns(column);
    RenderFretDigits(document, CurrentTabIndex());
    ShowWithCursorAfterInsertedColumn();
}

void FretluxForm::Rotate(void (*flip)(Orientation&, StringNameLabels&)) {
    if (Playing()) HaltPlayback();
    board_.Turn(flip);
}

void FretluxForm::RotateLeftRight() { Rotate(FlipLeftRight); }

void FretluxForm::RotateUpDown() { Rotate(FlipUpDown); }

void FretluxForm::HintLeftRight() { lblHelp = {kLeftRightHint, kHintBlue}; }

void FretluxForm::HintUpDown() { lblHelp = {kUpDownHint, kHintBlue}; }

}  // namespace fretlux
