// SPDX-License-Identifier: MIT
// Editing from the keyboard while the TAB lines have the focus: the arrows, Home and End move
// the cursor, with Shift they move one end of the selection; Page Up and Page Down change the
// TAB; Delete removes columns without touching the clipboard; Ctrl+X, C and V cut, copy and
// paste. The cursor lines stand between columns, so a selection runs from one line position to
// another, like a selection of text.
#include <algorithm>
#include <cstdlib>

#include "app/fretlux_form.h"
#include "app/key_codes.h"
#include "app/undo_step.h"

namespace fretlux {

void FretluxForm::PressKeyOnTabLines(int keyCode, int shift) {
    if (!ShowsTab()) return;
    if (shift == kCtrlMask) {
        if (keyCode == kKeyX) Perform(Command::CutColumns);
        if (keyCode == kKeyC) Perform(Command::CopyColumns);
        if (keyCode == kKeyV) Perform(Command::PasteColumns);
        return;
    }
    if (shift != 0 && shift != kShiftMask) return;
    const bool extend = shift == kShiftMask;
    const int cursor = columns_.CursorColumn();
    const int selection = columns_.SelectionLength();
    const int last = columns_.LastColumn();
    switch (keyCode) {
        case kKeyLeft:
            if (extend) return columns_.MoveSelectionEnd(columns_.MovingEnd() - 1);
            // A selection gives way to the cursor at its start.
            return MoveCursorTo(selection > 0 ? cursor : cursor - 1);
        case kKeyRight:
            if (extend) return columns_.MoveSelectionEnd(columns_.MovingEnd() + 1);
            return MoveCursorTo(selection > 0 ? cursor + selection : cursor + 1);
        case kKeyHome:
            return extend ? columns_.MoveSelectionEnd(0) : MoveCursorTo(0);
        case kKeyEnd:
            return extend ? columns_.MoveSelectionEnd(last + 1) : MoveCursorTo(last);
        case kKeyPageUp:
            if (!extend) controls_.hscTAB.SetValue(controls_.hscTAB.Value() - 1);
            return;
        case kKeyPageDown:
            if (!extend) controls_.hscTAB.SetValue(controls_.hscTAB.Value() + 1);
            return;
        case kKeyDelete:
            if (!extend) DeleteColumnsAtCursor();
            return;
        default:
            return;
    }
}

// A column the cursor comes to sounds, as a click on it does.
void FretluxForm::MoveCursorTo(int column) {
    if (columns_.MoveCursorTo(column)) player_.SoundCursorColumn();
}

void FretluxForm::DeleteColumnsAtCursor() {
    const UndoStep step(*this);
    if (columns_.SelectionLength() == 0) columns_.Place(columns_.CursorColumn(), 1);
    DeleteSelectedColumns();
    columns_.Place(columns_.CursorColumn(), 0);
    // After showing, so that a TAB that went with its last columns leaves the cursor in the next.
    ShowCurrentTab();
    columns_.ShowCursor();
}

}  // namespace fretlux
