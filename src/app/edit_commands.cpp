// SPDX-License-Identifier: MIT
// The Edit menu's column commands (Cut, Copy, Paste, Paste TAB Bar) on the six string lines of
// the shown TAB, and the TAB commands (Insert TAB, Delete TAB) on the document.
#include "app/fretlux_form.h"
#include "app/undo_step.h"
#include "document/render_fret_digits.h"
#include "document/strings.h"
#include "document/tab_cell.h"

namespace fretlux {

namespace {

// A line cut at the cursor: the header cell and the columns before cursorColumn, the selected
// columns, and what follows them.
struct LineAtCursor {
    std::string left;
    std::string selection;
    std::string right;
};

LineAtCursor CutAtCursor(const std::string& line, int cursorColumn, int selectionLength) {
    const int leftLength = kCellWidth * cursorColumn + kCellWidth;
    return {Left(line, leftLength), Mid(line, leftLength + 1, kCellWidth * selectionLength),
            Mid(line, leftLength + kCellWidth * selectionLength + 1)};
}

}  // namespace

void FretluxForm::DeleteSelectedColumns() {
    TabBlock& block = document.tabLines[CurrentTabIndex()];
    for (int l = 1; l < kLinesPerTab; ++l) {
        const LineAtCursor parts =
            CutAtCursor(block[l], columns_.CursorColumn(), columns_.SelectionLength());
        block[l] = Left(parts.left + parts.right, kEditedLineLength);
    }
    columns_.DropSelectedColumns();
}

void FretluxForm::CopyColumns() {
    if (ShowsTab()) CopySelection();
}

void FretluxForm::CopySelection() {
    const TabBlock& block = document.tabLines[CurrentTabIndex()];
    const int length = columns_.SelectionLength();
    TabColumn lines;
    for (int l = 1; l < kLinesPerTab; ++l) {
        lines[l] = CutAtCursor(block[l], columns_.CursorColumn(), length).selection;
    }
    clipboard_.Keep(lines, length);
}

void FretluxForm::CutColumns() {
    if (!ShowsTab()) return;
    const UndoStep step(*this);
    CopySelection();
    DeleteSelectedColumns();
    columns_.Select(columns_.CursorColumn(), 0);
    ShowCurrentTab();
}

// The given cells of each line take the place of the selected columns.
void FretluxForm::ReplaceColumns(const std::array<std::string, kLinesPerTab>& inserted) {
    DeleteSelectedColumns();
    TabBlock& block = document.tabLines[CurrentTabIndex()];
    for (int l = 1; l < kLinesPerTab; ++l) {
        const LineAtCursor parts = CutAtCursor(block[l], columns_.CursorColumn(), 0);
        block[l] = Left(parts.left + inserted[l] + parts.right, kEditedLineLength);
    }
}

void FretluxForm::PasteColumns() {
    if (!ShowsTab()) return;
    const UndoStep step(*this);
    ReplaceColumns(clipboard_.Lines());
    RenderFretDigits(document, CurrentTabIndex());
    // The pasted columns end up selected, as far as the columns known before the paste reach.
    columns_.Select(columns_.CursorColumn(), clipboard_.ColumnCount());
    ShowCurrentTab();
}

void FretluxForm::PasteBarLine() {
    if (!ShowsTab()) return;
    const UndoStep step(*this);
    std::array<std::string, kLinesPerTab> bar;
    bar.fill("|    ");
    ReplaceColumns(bar);
    ShowWithCursorAfterInsertedColumn();
}

// The next column goes after this one, as typing goes on after a typed character; the last
// column of a TAB keeps the cursor, having nothing after it.
void FretluxForm::ShowWithCursorAfterInsertedColumn() {
    columns_.Place(columns_.CursorColumn(), 0);
    ShowCurrentTab();
    columns_.Select(columns_.CursorColumn() + 1, columns_.SelectionLength());
}

void FretluxForm::InsertTab() {
    const UndoStep step(*this);
    const int v = controls_.hscTAB.Value();
    const int m = controls_.hscTAB.Max();
    if (m == 0) {
        StartNewDocument();
        return;
    }
    if (m == kMaxTabs) {
        host_.ShowMessage(
            {kTooManyTabsMessage, MessageButtons::Ok, MessageIcon::Exclamation, MessageAnswer::Ok});
        return;
    }
    SetTabCount(m + 1);
    for (int i = m; i >= v; --i) document.CopyTab(i - 1, i);
    document.MakeBlankTab(v - 1);
    controls_.imgEdit = EditPicture::imgEdit2Up;
    ShowTabPosition();
    ShowCurrentTab();
}

void FretluxForm::DeleteTab() {
    const UndoStep step(*this);
    DeleteCurrentTab();
}

void FretluxForm::DeleteCurrentTab() {
    const int v = controls_.hscTAB.Value();
    const int m = controls_.hscTAB.Max();
    if (m < 2) {
        ClearDocument();
        return;
    }
    for (int i = v; i <= m - 1; ++i) document.CopyTab(i, i - 1);
    document.tabLines[m - 1].fill("");
    document.tabTexts[m - 1].clear();
    if (v == m) controls_.hscTAB.SetValue(m - 1);
    SetTabCount(m - 1);
    // The TAB shown now may be another one, with or without a text, and there is one TAB less.
    controls_.imgEdit = EditPictureFor(controls_.hscTAB.Value());
    ShowTabPosition();
    ShowCurrentTab();
}

}  // namespace fretlux
