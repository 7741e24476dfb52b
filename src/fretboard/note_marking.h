// SPDX-License-Identifier: MIT
// What the user's presses, finger buttons and keys do to the marks. None of it makes a sound:
// where a press sounds a note it says so in its result, and the caller plays it.
#pragma once

#include "fretboard/fretboard.h"

namespace fretlux {

inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;

// The position pressed last, which the finger buttons, the keys and the playable / not playable
// commands act on. lastRow is 0 until the first press.
struct LastSelection {
    int lastRow = 0;
    int lastPosition = 0;
};

struct PressResult {
    bool play = false;  // the caller plays position `position` of row `row`
    int row = 0;
    int position = 0;
};

// A mouse press on position i of row N, on its dot or on its finger label; buttons other than
// left and right do nothing.
PressResult PressPosition(Fretboard& board, LastSelection& last, int row, int i, int button);

// The second press of a double click on a finger label: advances the finger of a red mark.
void DoubleClickFinger(Fretboard& board, int row, int i);

// Finger buttons 0..4 give the last selection finger "1".."4" or "T", when it is marked.
void AllocateFinger(Fretboard& board, const LastSelection& last, int index);
// These colour the last selection whether it is marked or not.
void MarkSounding(Fretboard& board, const LastSelection& last);
void MarkSilent(Fretboard& board, const LastSelection& last);

enum class KeyCommand { kNone, kFinger, kPlayable, kNotPlayable, kPasteFretboard };

// The window's key handling for the fretboard, whichever control has the focus. Finger and
// colour keys are applied here; Paste Fretboard is left to the caller.
KeyCommand TypeCharacter(Fretboard& board, const LastSelection& last, int keyAscii);

}  // namespace fretlux
