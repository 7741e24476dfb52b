// SPDX-License-Identifier: MIT
// What the TAB view shows of the shown TAB: its columns, the column cursor and the selection,
// and where the cursor lines stand. Columns are counted from 0; a selection runs from the cursor
// over its length in columns.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/control_models.h"
#include "document/tab_document.h"

namespace fretlux {

using TabColumn = std::array<std::string, kLinesPerTab>;

class TabColumns {
public:
    static constexpr int kColumnSlots = 201;

    // Splits the TAB's string lines into columns; false when the TAB has nothing but header
    // cells left, so that it has nothing to show.
    bool Split(const TabBlock& block);

    int CursorColumn() const { return cursor_; }
    int SelectionLength() const { return selection_; }
    int LastColumn() const { return last_; }
    const TabColumn& Column(int column) const { return cells_[column]; }
    bool HoldsNote(int column) const;
    bool IsBar(int column) const;
    // Per column of the TAB, whether it is a bar column.
    std::vector<bool> BarColumns() const;

    // Puts the cursor and selection where the player or a command moves them; they are brought
    // within the TAB when next shown.
    void Place(int column, int length);
    // Brings cursor and selection within the TAB and stands the cursor lines there.
    void ShowCursor();
    // Place, then ShowCursor.
    void Select(int column, int length);
    // No TAB is shown: no columns, the cursor at the start.
    void Empty();
    // The selected columns left the TAB: until it is split again, the last column counts them
    // out.
    void DropSelectedColumns() { last_ -= selection_; }

    // The mouse on the TAB lines, x in the units of the column geometry. A press puts the cursor
    // on the column under the pointer, and a drag selects from there to the column the pointer is
    // over, both included. Release is true when the cursor came to a column of notes.
    void Press(double x);
    void Drag(int button, double x);
    bool Release(double x);

    // The keyboard: the cursor stands on a column, a selection's ends between columns
    // (0 .. LastColumn() + 1). MoveCursorTo is true when the cursor came to another column of
    // notes.
    bool MoveCursorTo(int column);
    // The end of the selection that Shift with an arrow moves: the one away from where the
    // selection began.
    int MovingEnd() const;
    void MoveSelectionEnd(int position);

    // The TAB these columns come from, 1-based; 0 for none.
    int ShownTab() const { return tab_; }
    void SetShownTab(int tab) { tab_ = tab; }

    // Width of one character of the TAB font in the units of the column geometry.
    void SetCharWidth(int width) { charWidth_ = width; }
    int CharWidth() const { return charWidth_; }
    const CursorLineModel& CursorStart() const { return start_; }
    const CursorLineModel& CursorEnd() const { return end_; }

private:
    // The column a click at x picks, within the TAB.
    int ColumnAt(double x) const;
    double CursorX(int column) const;
    int SelectionAnchor() const;

    std::array<TabColumn, kColumnSlots> cells_;
    int tab_ = 0;
    int cursor_ = 0;
    int selection_ = 0;
    int last_ = 0;
    int charWidth_ = 105;
    // Where Shift with the arrow keys started the selection: the end that stays put.
    int anchor_ = 0;
    int pressedX_ = 0;
    CursorLineModel start_;
    CursorLineModel end_;
};

}  // namespace fretlux
