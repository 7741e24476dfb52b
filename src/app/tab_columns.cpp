// SPDX-License-Identifier: MIT
#include "app/tab_columns.h"

#include <algorithm>
#include <cstdlib>

#include "document/rounding.h"
#include "document/strings.h"
#include "document/tab_cell.h"

namespace fretlux {

namespace {

// The cursor line stands this far into a column's character, in character widths.
constexpr double kCursorInset = 0.9;
// A click is measured from a point this far into the first character, in character widths.
constexpr double kClickOffset = 23.0 / 105.0;

}  // namespace

bool TabColumns::Split(const TabBlock& block) {
    int maxLen = 0;
    for (int l = 1; l < kLinesPerTab; ++l) maxLen = std::max<int>(maxLen, block[l].size());
    maxLen = std::min(maxLen, kShownLineLength);
    if (maxLen < 2) {
        last_ = maxLen;
        return true;
    }
    for (int p = 6; p <= maxLen + 1; p += kCellWidth) {
        const int c = RoundHalfEven(p / 5.0 - 1);
        for (int l = 1; l < kLinesPerTab; ++l) {
            const std::string cell = Mid(block[l], p, kCellWidth);
            cells_[c][l] = cell.size() == kCellWidth ? cell : std::string(kCellWidth, ' ');
        }
    }
    last_ = RoundHalfEven(maxLen / 5.0 - 2);
    return last_ >= 0;
}

bool TabColumns::HoldsNote(int column) const {
    const TabColumn& cells = cells_[column];
    return std::any_of(cells.begin() + 1, cells.end(),
                       [](const std::string& cell) { return CellHoldsNote(cell); });
}

bool TabColumns::IsBar(int column) const {
    const TabColumn& cells = cells_[column];
    return cells[6].starts_with('|') && cells[1].starts_with('|');
}

std::vector<bool> TabColumns::BarColumns() const {
    std::vector<bool> bars;
    for (int column = 0; column <= last_; ++column) bars.push_back(IsBar(column));
    return bars;
}

void TabColumns::Place(int column, int length) {
    cursor_ = column;
    selection_ = length;
}

void TabColumns::ShowCursor() {
    if (cursor_ < 0) cursor_ = 0;
    if (selection_ < 0) selection_ = 0;
    if (cursor_ > last_) cursor_ = last_;
    if (cursor_ + selection_ > last_) selection_ = last_ - cursor_ + 1;
    if (selection_ < 0) selection_ = 0;
    start_.x = CursorX(cursor_);
    end_.x = start_.x + charWidth_ * selection_;
}

void TabColumns::Select(int column, int length) {
    Place(column, length);
    ShowCursor();
}

void TabColumns::Empty() {
    cursor_ = 0;
    last_ = 0;
}

double TabColumns::CursorX(int column) const {
    return charWidth_ * (column + 1) + kCursorInset * charWidth_;
}

int TabColumns::ColumnAt(double x) const {
    const double w = charWidth_;
    return std::clamp(RoundHalfEven((x - kClickOffset * w) / w - 1), 0, std::max(last_, 0));
}

// A pointer that never leaves the pressed column selects nothing, so that a shaky click stays a
// click.
void TabColumns::Press(double x) {
    pressedX_ = RoundHalfEven(x);
    if (last_ == 0) return;
    Select(ColumnAt(x), 0);
}

void TabColumns::Drag(int button, double x) {
    if (button == 0 || last_ == 0) return;
    const int pressed = ColumnAt(pressedX_);
    const int pointed = ColumnAt(x);
    Select(std::min(pressed, pointed), pointed == pressed ? 0 : std::abs(pointed - pressed) + 1);
}

bool TabColumns::Release(double x) {
    if (last_ == 0) return false;
    if (RoundHalfEven(x) == pressedX_) Place(ColumnAt(x), 0);
    ShowCursor();
    return HoldsNote(cursor_);
}

bool TabColumns::MoveCursorTo(int column) {
    const int before = cursor_;
    Select(std::clamp(column, 0, std::max(last_, 0)), 0);
    return cursor_ != before && HoldsNote(cursor_);
}

// A selection made by the mouse or a command grows and shrinks at its right end.
int TabColumns::SelectionAnchor() const {
    return selection_ > 0 && anchor_ == cursor_ + selection_ ? anchor_ : cursor_;
}

int TabColumns::MovingEnd() const {
    return SelectionAnchor() == cursor_ ? cursor_ + selection_ : cursor_;
}

void TabColumns::MoveSelectionEnd(int position) {
    const int anchor = SelectionAnchor();
    position = std::clamp(position, 0, last_ + 1);
    anchor_ = anchor;
    Select(std::min(anchor, position), std::abs(position - anchor));
}

}  // namespace fretlux
