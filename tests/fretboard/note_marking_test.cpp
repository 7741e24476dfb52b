// SPDX-License-Identifier: MIT
// Presses, finger buttons and keys on the fretboard marks, each case a script played on a fresh
// board.
#include "fretboard/note_marking.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "board_test_support.h"

namespace fretlux {
namespace {

// Runs the steps and returns what each reported, then what the checks ask for:
//   L r.i, R r.i   a left or right press on position i of row r: P when it plays, else "."
//   O r.i          presses with the other buttons (none, 3, 4): one "." for all three
//   D r.i          the second press of a double click on the position
//   F n            finger button n (0..4)
//   K c            the key c ("_" a blank, "^" Enter): f finger, + playable, - silent, E paste,
//                  0 nothing
//   C              Clear;  b r.i  the position turned black by hand
// Checks, after " | ": "r.i" the position's state, "row r" its marked positions, "last".
std::string Play(const std::string& script) {
    Fretboard board;
    LastSelection last;
    std::istringstream in(script);
    std::string out;
    const auto place = [](const std::string& text, int& row, int& i) {
        std::sscanf(text.c_str(), "%d.%d", &row, &i);
    };
    for (std::string step; in >> step && step != "|";) {
        int row = 0, i = 0;
        const char kind = step[0];
        if (kind == 'K') {
            const char key = step[1] == '_' ? ' ' : step[1] == '^' ? '\r' : step[1];
            out += "0f+-E"[static_cast<int>(TypeCharacter(board, last, key))];
        } else if (kind == 'F') {
            AllocateFinger(board, last, step[1] - '0');
        } else if (kind == 'C') {
            board.Clear();
        } else {
            place(step.substr(1), row, i);
            if (kind == 'b') board.At(row, i).red = false;
            if (kind == 'D') DoubleClickFinger(board, row, i);
            if (kind == 'L' || kind == 'R') {
                const int button = kind == 'L' ? kLeftButton : kRightButton;
                out += PressPosition(board, last, row, i, button).play ? "P" : ".";
            }
            if (kind == 'O') {
                bool played = false;
                for (int button : {0, 3, 4})
                    played |= PressPosition(board, last, row, i, button).play;
                out += played ? "P" : ".";
            }
        }
    }
    for (std::string check; in >> check;) {
        int row = 0, i = 0;
        if (check == "last") {
            out +=
                " last " + std::to_string(last.lastRow) + "." + std::to_string(last.lastPosition);
        } else if (check == "row") {
            in >> row;
            out += " row";
            for (int position : MarkedPositions(board, row)) out += " " + std::to_string(position);
        } else {
            place(check, row, i);
            out += " " + check + " " + Describe(board, row, i);
        }
        out += ";";
    }
    return out;
}

TEST(NoteMarking, PressesFingersAndKeysChangeTheMarksAsAGuitaristExpects) {
    const struct {
        const char* rule;
        const char* script;
        const char* expected;
    } cases[] = {
        {"a left press on an empty row marks it red, plays and selects it", "L2.5 | 2.5 row 2 last",
         "P 2.5 red; row 5; last 2.5;"},
        {"a new mark keeps only the lowest mark of the row, whichever side",
         "L3.3 L3.7 L3.7 L3.7 L3.10 L3.1 | 3.7 row 3", "PP..PP 3.7 unmarked red; row 1 3;"},
        {"pressing a red mark gives it the next finger", "L1.4 L1.4 L1.4 | 1.4", "P.. 1.4 red 2;"},
        {"up to the thumb", "L1.4 L1.4 L1.4 L1.4 L1.4 L1.4 L1.4 | 1.4", "P...... 1.4 red T;"},
        {"a right press makes a mark black and silent", "L4.2 L4.2 R4.2 | 4.2", "P.. 4.2 black 1;"},
        {"a left press makes it red and plays it again", "L4.2 L4.2 R4.2 L4.2 | 4.2",
         "P..P 4.2 red 1;"},
        {"a second right press removes it; the colour outlives the mark",
         "L4.2 R4.2 R4.2 | 4.2 row 4", "P.. 4.2 unmarked black; row;"},
        {"an empty position only turns black and is selected", "R5.9 | 5.9 last",
         ". 5.9 unmarked black; last 5.9;"},
        {"other buttons do nothing", "R5.9 O2.2 | 2.2 last", ".. 2.2 unmarked red; last 5.9;"},
        {"a double click gives a red mark its next finger", "L1.1 D1.1 | 1.1", "P 1.1 red 1;"},
        {"but not past the thumb", "L1.1 L1.1 L1.1 L1.1 L1.1 L1.1 D1.1 | 1.1", "P..... 1.1 red T;"},
        {"nor to a black mark or an empty position", "L2.1 R2.1 D2.1 D3.1 | 2.1 3.1",
         "P. 2.1 black; 3.1 unmarked red;"},
        {"finger buttons need a selection", "F2 | 1.0", " 1.0 unmarked red;"},
        {"they finger a black mark too", "L2.8 R2.8 F2 | 2.8", "P. 2.8 black 3;"},
        {"button 4 is the thumb", "L2.8 R2.8 F4 | 2.8", "P. 2.8 black T;"},
        {"but not a removed mark", "L2.8 R2.8 R2.8 F0 | 2.8", "P.. 2.8 unmarked black;"},
        {"keys before any press change nothing", "b1.0 K3 K+ | 1.0", "f+ 1.0 unmarked black;"},
        {"nor does a silent key", "K- | 1.0", "- 1.0 unmarked red;"},
        {"5 is the thumb", "L3.6 K5 | 3.6", "Pf 3.6 red T;"},
        {"digits finger, - silences, + and = make playable, Enter pastes",
         "L3.6 K1 K0 K6 K9 KT Kt K_ K- K= K^ | 3.6 row 3", "Pf000000-+E 3.6 red 1; row 6;"},
        {"a finger key does not bring back a removed mark", "L5.3 R5.3 R5.3 K3 | 5.3",
         "P..f 5.3 unmarked black;"},
        {"a playable key only colours it", "L5.3 R5.3 R5.3 K+ L5.3 | 5.3", "P..+P 5.3 red;"},
        {"Clear removes marks and fingers, keeps the colours and the selection",
         "L2.4 L2.4 L6.0 R6.0 C | 2.4 6.0 last",
         "P.P. 2.4 unmarked red; 6.0 unmarked black; last 6.0;"},
        {"and a cleared position is marked afresh", "L6.0 R6.0 C L6.0 | 6.0", "P.P 6.0 red;"},
    };
    for (const auto& c : cases) EXPECT_EQ(Play(c.script), c.expected) << c.rule;
}

}  // namespace
}  // namespace fretlux
