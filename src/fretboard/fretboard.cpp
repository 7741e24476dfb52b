// SPDX-License-Identifier: MIT
#include "fretboard/fretboard.h"

namespace fretlux {

// Checked, because a place off the board is a fault of the caller that must not write into
// another row.
FretMark& Fretboard::At(int row, int i) { return marks_.at(row - 1).at(i); }

const FretMark& Fretboard::At(int row, int i) const { return marks_.at(row - 1).at(i); }

void Fretboard::ClearMark(int row, int i) {
    FretMark& mark = At(row, i);
    mark.marked = false;
    mark.finger.clear();
}

void Fretboard::Clear() {
    for (int row = 1; row <= kRows; ++row) {
        for (int i = 0; i < kPositions; ++i) ClearMark(row, i);
    }
}

}  // namespace fretlux
