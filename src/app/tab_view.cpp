// SPDX-License-Identifier: MIT
// The TAB view: which TAB is shown, its label and symbols, its columns, and the column cursor
// that the mouse moves over the six TAB labels.
#include <algorithm>
#include <cstdlib>

#include "app/fretlux_form.h"
#include "document/rounding.h"
#include "document/strings.h"
#include "document/tab_cell.h"
#include "document/tab_header.h"

namespace fretlux {

namespace {

constexpr int kShownLabelLength = 79;
constexpr int kShownSymbols = 80;
// The cursor line stands this far into a column's character, in character widths.
constexpr double kCursorInset = 0.9;
// A click is measured from a point this far into the first character, in character widths.
constexpr double kClickOffset = 23.0 / 105.0;

std::string TabPosition(int value, int maximum) {
    return "TAB: " + std::to_string(value) + " of " + std::to_string(maximum);
}

}  // namespace

EditPicture FretluxForm::EditPictureFor(int tabNumber) const {
    return document.tabTexts[tabNumber - 1].empty() ? EditPicture::imgEdit2Up
                                                    : EditPicture::imgEditUp;
}

void FretluxForm::ShowChosenTab() {
    const int v = hscTAB.Value();
    if (previousTab > 0) {
        std::string& header = document.tabLines[previousTab - 1][0];
        header = StampHeader(header, {hscTempo.Value(), hscVolume.Value(), HScrollPatch.Value()});
    }
    ShowTabPosition();
    previousTab = v;
    if (v == 0) {
        imgEdit = EditPicture::imgEdit2Up;
        return;
    }
    if (const auto settings = ReadHeaderSettings(document.tabLines[v - 1][0])) {
        hscTempo.SetValue(settings->tempo);
        hscVolume.SetValue(settings->volume);
        HScrollPatch.SetValue(settings->patch);
    }
    // A TAB without settings of its own takes the bars as they stand; only a change of them
    // while it is shown is a change of the document.
    if (history_.AtSavedPoint() && !savedSettings_[v - 1]) savedSettings_[v - 1] = BarSettings();
    imgEdit = EditPictureFor(v);
    ShowCurrentTab();
    cursorColumn = 0;
    selectionLength = 0;
    UpdateColumnCursor();
}

void FretluxForm::PreviewTabPosition(int value) {
    lblHelp = {TabPosition(value, hscTAB.Max()), kBlack};
}

void FretluxForm::HintTabPosition() { ShowTabPosition(); }

void FretluxForm::ShowTabPosition() {
    lblHelp = {TabPosition(hscTAB.Value(), hscTAB.Max()), kBlack};
}

// While a TAB is shown its header is whatever the label box holds; the settings come back into
// it when the TAB is left.
void FretluxForm::LabelEdited() {
    NoteLabelEdit();
    if (ShowsTab()) document.tabLines[CurrentTabIndex()][0] = StoredLabel();
}

void FretluxForm::ShowCurrentTab() {
    const TabBlock& block = document.tabLines[CurrentTabIndex()];
    ShowLabel(Left(block[0], kShownLabelLength));
    for (int l = 1; l < kLinesPerTab; ++l) {
        lblTAB[l].caption = Left(DisplaySymbols(block[l]), kShownSymbols);
    }
    SplitTabIntoColumns();
}

void FretluxForm::SplitTabIntoColumns() {
    const TabBlock& block = document.tabLines[CurrentTabIndex()];
    int maxLen = 0;
    for (int l = 1; l < kLinesPerTab; ++l) maxLen = std::max<int>(maxLen, block[l].size());
    maxLen = std::min(maxLen, kShownLineLength);
    if (maxLen < 2) {
        lastColumn = maxLen;
        return;
    }
    for (int p = 6; p <= maxLen + 1; p += kCellWidth) {
        const int c = RoundHalfEven(p / 5.0 - 1);
        for (int l = 1; l < kLinesPerTab; ++l) {
            const std::string cell = Mid(block[l], p, kCellWidth);
            columnCells[c][l] = cell.size() == kCellWidth ? cell : std::string(kCellWidth, ' ');
        }
    }
    lastColumn = RoundHalfEven(maxLen / 5.0 - 2);
    // A TAB left with header cells only has nothing to show: it removes itself.
    if (lastColumn < 0) DeleteCurrentTab();
}

double FretluxForm::CursorX(int column) const {
    return charWidth * (column + 1) + kCursorInset * charWidth;
}

void FretluxForm::SelectColumns(int column, int length) {
    cursorColumn = column;
    selectionLength = length;
    UpdateColumnCursor();
}

void FretluxForm::UpdateColumnCursor() {
    if (cursorColumn < 0) cursorColumn = 0;
    if (selectionLength < 0) selectionLength = 0;
    if (cursorColumn > lastColumn) cursorColumn = lastColumn;
    if (cursorColumn + selectionLength > lastColumn)
        selectionLength = lastColumn - cursorColumn + 1;
    if (selectionLength < 0) selectionLength = 0;
    linPoint1.x = CursorX(cursorColumn);
    linPoint2.x = linPoint1.x + charWidth * selectionLength;
}

int FretluxForm::ColumnAt(double x) const {
    const double w = charWidth;
    return std::clamp(RoundHalfEven((x - kClickOffset * w) / w - 1), 0, std::max(lastColumn, 0));
}

// A press puts the cursor on the column under the pointer, and a drag selects from there to the
// column the pointer is over, both included, whichever way it goes. A pointer that never leaves
// the pressed column selects nothing, so that a shaky click stays a click.
void FretluxForm::PressOnTabLines(int, int, int, double x, double) {
    mouseDownX = RoundHalfEven(x);
    if (lastColumn == 0) return;
    cursorColumn = ColumnAt(x);
    selectionLength = 0;
    UpdateColumnCursor();
}

void FretluxForm::DragOnTabLines(int, int button, int, double x, double) {
    if (button == 0 || lastColumn == 0) return;
    const int pressed = ColumnAt(mouseDownX);
    const int pointed = ColumnAt(x);
    cursorColumn = std::min(pressed, pointed);
    selectionLength = pointed == pressed ? 0 : std::abs(pointed - pressed) + 1;
    UpdateColumnCursor();
}

void FretluxForm::ReleaseOnTabLines(int, int, int, double x, double) {
    if (lastColumn == 0) return;
    if (RoundHalfEven(x) == mouseDownX) {
        cursorColumn = ColumnAt(x);
        selectionLength = 0;
    }
    UpdateColumnCursor();
    const auto& cells = columnCells[cursorColumn];
    if (std::any_of(cells.begin() + 1, cells.end(),
                    [](const std::string& cell) { return CellHoldsNote(cell); })) {
        ShowPlayColumn();
    }
}

}  // namespace fretlux
