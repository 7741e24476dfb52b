// SPDX-License-Identifier: MIT
// The fretboard's commands that reach past the board: its hints in the help line, the keys,
// moving a column between the fretboard and the TAB, and turning the board.
#include "app/fretlux_form.h"
#include "app/undo_step.h"
#include "document/render_fret_digits.h"

namespace fretlux {

void FretluxForm::HintFinger(int index) {
    controls_.lblHelp = {
        HintOf(static_cast<HintedButton>(static_cast<int>(HintedButton::imgFNum0) + index)),
        kHintBlue};
}

void FretluxForm::TypeCharacter(int keyAscii) {
    if (keyAscii == ' ') {
        if (player_.Playing()) {
            player_.Stop();
        } else {
            player_.Start();
        }
        return;
    }
    if (board_.TypeCharacter(keyAscii) == KeyCommand::kPasteFretboard) PasteFretboardColumn();
}

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
    if (player_.Playing()) player_.Stop();
    board_.Turn(flip);
}

void FretluxForm::RotateLeftRight() { Rotate(FlipLeftRight); }

void FretluxForm::RotateUpDown() { Rotate(FlipUpDown); }

}  // namespace fretlux
