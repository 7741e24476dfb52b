// SPDX-License-Identifier: MIT
// Editing from the keyboard while the TAB lines have the focus: the arrows, Home and End move
// the cursor, with Shift they move one end of the selection; Page Up and Page Down change the
// TAB; Delete removes columns without touching the clipboard; Ctrl+X, C and V cut, copy and
// paste. The cursor lines stand between columns, so a selection runs from one line position
// (0 .. lastColumn + 1) to another, like a selection of text.
#include <algorithm>
#include <cstdlib>

#include "app/fretlux_form.h"
#include "app/key_codes.h"
#include "app/undo_step.h"

namespace fretlux {

void FretluxForm::PressKeyOnTabLines(int keyCode, int shift) {
    if (!ShowsTab()) return;
    if (shift == kCtrlMask) {
        if (keyCode == kKeyX) CutColumns();
        if (keyCode == kKeyC) CopyColumns();
        if (keyCode == kKeyV) PasteColumns();
        return;
    }
    if (shift != 0 && shift != kShiftMask) return;
    const bool extend = shift == kShiftMask;
    // The end of the selection that Shift moves: the one away from where the selection began.
    const int movingEnd =
        SelectionAnchor() == cursorColumn ? cursorColumn + selectionLength : cursorColumn;
    switch (keyCode) {
        case kKeyLeft:
            if (extend) return MoveSelectionEnd(movingEnd - 1);
            // A selection gives way to the cursor at its start.
            return MoveCursorTo(selectionLength > 0 ? cursorColumn : cursorColumn - 1);
        case kKeyRight:
            if (extend) return MoveSelectionEnd(movingEnd + 1);
            return MoveCursorTo(selectionLength > 0 ? cursorColumn + selectionLength
                                                    : cursorColumn + 1);
        case kKeyHome:
            return extend ? MoveSelectionEnd(0) : MoveCursorTo(0);
        case kKeyEnd:
            return extend ? MoveSelectionEnd(lastColumn + 1) : MoveCursorTo(lastColumn);
        case kKeyPageUp:
            if (!extend) hscTAB.SetValue(hscTAB.Value() - 1);
            return;
        case kKeyPageDown:
            if (!extend) hscTAB.SetValue(hscTAB.Value() + 1);
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
    const int before = cursorColumn;
    cursorColumn = std::clamp(column, 0, std::max(lastColumn, 0));
    selectionLength = 0;
    UpdateColumnCursor();
    if (cursorColumn != before && ColumnHoldsNote(cursorColumn)) ShowPlayColumn();
}

// A selection made by the mouse or a command grows and shrinks at its right end.
int FretluxForm::SelectionAnchor() const {
    return selectionLength > 0 && selectionAnchor_ == cursorColumn + selectionLength
               ? selectionAnchor_
               : cursorColumn;
}

void FretluxForm::MoveSelectionEnd(int position) {
    const int anchor = SelectionAnchor();
    position = std::clamp(position, 0, lastColumn + 1);
    cursorColumn = std::min(anchor, position);
    selectionLength = std::abs(position - anchor);
    selectionAnchor_ = anchor;
    UpdateColumnCursor();
}

void FretluxForm::DeleteColumnsAtCursor() {
    const UndoStep step(*this);
    if (selectionLength == 0) selectionLength = 1;
    DeleteSelectedColumns();
    selectionLength = 0;
    // After showing, so that a TAB that went with its last columns leaves the cursor in the next.
    ShowCurrentTab();
    UpdateColumnCursor();
}

}  // namespace fretlux
