// SPDX-License-Identifier: MIT
// Which way the fretboard is turned. Each mapping is its own inverse: the fret of a position is
// the position of that fret, and the string of a row is the row of that string.
#pragma once

namespace fretlux {

inline constexpr int kPositions = 25;  // position index 0..24 on every row
inline constexpr int kHighestFret = 24;

struct Orientation {
    int leftRightFlipped = 0;  // 1: open strings at the right end
    int upDownFlipped = 0;     // 1: high E string on top

    int FretOfPosition(int i) const { return leftRightFlipped == 1 ? kHighestFret - i : i; }
    int PositionOfFret(int f) const { return FretOfPosition(f); }
    int StringOfRow(int r) const { return upDownFlipped != 0 ? 7 - r : r; }
    int RowOfString(int s) const { return StringOfRow(s); }
};

}  // namespace fretlux
