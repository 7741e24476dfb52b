// SPDX-License-Identifier: MIT
#include "fretboard/note_marking.h"

#include "fretboard/finger_text.h"

namespace fretlux {

namespace {

inline constexpr int kEnterKey = 13;
inline constexpr int kThumbButton = 4;

// A new mark keeps only the lowest mark already on the row, so that no row ever holds more
// than two.
void KeepLowestMark(Fretboard& board, int row) {
    int marksMet = 0;
    for (int i = 0; i < kPositions; ++i) {
        if (board.At(row, i).marked) ++marksMet;
        if (marksMet > 1) board.ClearMark(row, i);
    }
}

PressResult PressLeft(Fretboard& board, int row, int i) {
    FretMark& mark = board.At(row, i);
    if (mark.marked && !mark.red) {
        mark.red = true;
        return {true, row, i};
    }
    if (mark.marked) {
        mark.finger = AdvancedFinger(mark.finger);
        return {};
    }
    KeepLowestMark(board, row);
    mark.marked = true;
    mark.red = true;
    return {true, row, i};
}

// A red note takes two right presses to go: the first only makes it not playable.
void PressRight(Fretboard& board, int row, int i) {
    FretMark& mark = board.At(row, i);
    if (mark.red) {
        mark.red = false;
    } else {
        board.ClearMark(row, i);
    }
}

}  // namespace

PressResult PressPosition(Fretboard& board, LastSelection& last, int row, int i, int button) {
    if (button != kLeftButton && button != kRightButton) return {};
    last.lastRow = row;
    last.lastPosition = i;
    if (button == kLeftButton) return PressLeft(board, row, i);
    PressRight(board, row, i);
    return {};
}

void DoubleClickFinger(Fretboard& board, int row, int i) {
    FretMark& mark = board.At(row, i);
    if (mark.marked && mark.red) {
        mark.finger = AdvancedFinger(mark.finger);
    }
}

void AllocateFinger(Fretboard& board, const LastSelection& last, int index) {
    if (last.lastRow == 0) return;
    FretMark& mark = board.At(last.lastRow, last.lastPosition);
    if (!mark.marked) return;
    mark.finger = index == kThumbButton ? std::string(kThumbText) : std::to_string(index + 1);
}

void MarkSounding(Fretboard& board, const LastSelection& last) {
    if (last.lastRow == 0) return;
    board.At(last.lastRow, last.lastPosition).red = true;
}

void MarkSilent(Fretboard& board, const LastSelection& last) {
    if (last.lastRow == 0) return;
    board.At(last.lastRow, last.lastPosition).red = false;
}

KeyCommand TypeCharacter(Fretboard& board, const LastSelection& last, int keyAscii) {
    if (keyAscii >= '1' && keyAscii <= '5') {
        AllocateFinger(board, last, keyAscii - '1');
        return KeyCommand::kFinger;
    }
    switch (keyAscii) {
        case '+':
        case '=':  // "+" without the shift key
            MarkSounding(board, last);
            return KeyCommand::kPlayable;
        case '-':
            MarkSilent(board, last);
            return KeyCommand::kNotPlayable;
        case kEnterKey:
            return KeyCommand::kPasteFretboard;
        default:
            return KeyCommand::kNone;
    }
}

}  // namespace fretlux
