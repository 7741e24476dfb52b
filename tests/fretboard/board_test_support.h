// SPDX-License-Identifier: MIT
// Short descriptions of the board, so that a test states a whole position in one comparison.
#pragma once

#include <string>
#include <vector>

#include "fretboard/fretboard.h"

namespace fretlux {

// "red", "black T", "unmarked black", "unmarked red 2" ...
inline std::string Describe(const Fretboard& board, int row, int i) {
    const FretMark& mark = board.At(row, i);
    std::string text = mark.marked ? "" : "unmarked ";
    text += mark.red ? "red" : "black";
    if (!mark.finger.empty()) text += " " + mark.finger;
    return text;
}

inline std::vector<int> MarkedPositions(const Fretboard& board, int row) {
    std::vector<int> positions;
    for (int i = 0; i < kPositions; ++i) {
        if (board.At(row, i).marked) positions.push_back(i);
    }
    return positions;
}

inline int MarkCount(const Fretboard& board) {
    int count = 0;
    for (int row = 1; row <= kRows; ++row)
        count += static_cast<int>(MarkedPositions(board, row).size());
    return count;
}

}  // namespace fretlux
