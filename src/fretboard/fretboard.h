// SPDX-License-Identifier: MIT
// The marks on the fretboard: six rows (row 1 at the top) of 25 positions (index 0 at the left).
// Rows and positions are screen places; which string and fret they show is the orientation's
// business, so nothing here reads it.
#pragma once

#include <array>
#include <string>

#include "fretboard/orientation.h"

namespace fretlux {

inline constexpr int kRows = 6;

struct FretMark {
    bool marked = false;
    // Red means playable, black not. The colour belongs to the position, not to the mark, so
    // removing a mark leaves it as it was.
    bool red = true;
    std::string finger;  // "", "1".."4" or "T" for the thumb
};

class Fretboard {
public:
    // Row 1..6, position index 0..24; a place off the board throws std::out_of_range.
    FretMark& At(int row, int i);
    const FretMark& At(int row, int i) const;

    // Removes the mark and its finger text; the colour stays.
    void ClearMark(int row, int i);
    // Every mark and finger text removed, every colour kept.
    void Clear();

private:
    std::array<std::array<FretMark, kPositions>, kRows> marks_{};
};

}  // namespace fretlux
