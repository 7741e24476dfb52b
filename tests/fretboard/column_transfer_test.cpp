// SPDX-License-Identifier: MIT
// Reading the marks into a column, and showing note contents on the board.
#include "fretboard/column_transfer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "board_test_support.h"

namespace fretlux {
namespace {

using Played = std::vector<std::pair<int, int>>;  // (position, row) in the order played
using Positions = std::vector<int>;

class ColumnTransferTest : public ::testing::Test {
protected:
    void Mark(int row, int i, bool red = true, std::string finger = "") {
        board.At(row, i) = FretMark{true, red, std::move(finger)};
    }
    WorkColumn Read() {
        WorkColumn column;
        ReadFretboardColumn(board, orientation, column);
        return column;
    }
    void Show(int s, std::string_view c) {
        const CellDisplay display{
            board, orientation, shownNotes, playbackRunning,
            [this](int position, int row) { played.emplace_back(position, row); }};
        ShowCellOnFretboard(display, s, c);
    }
    Positions Marked(int row) const { return MarkedPositions(board, row); }
    std::string State(int row, int i) const { return Describe(board, row, i); }

    Fretboard board;
    Orientation orientation;
    ShownNotes shownNotes;
    bool playbackRunning = false;
    Played played;
};

TEST_F(ColumnTransferTest, ReadsOneCellPerStringEmptyOrWithItsMark) {
    WorkColumn column = Read();
    for (int s = 1; s <= kStrings; ++s) EXPECT_EQ(column[s], "-    ") << s;

    Mark(1, 3, true, "2");
    Mark(2, 0, false, "T");  // the thumb reads as finger 5
    Mark(3, 12, true, "T");
    column = Read();
    EXPECT_EQ(column[1], "-DJ  ");
    EXPECT_EQ(column[2], "-AE  ");
    EXPECT_EQ(column[3], "-MM  ");
    for (int s = 4; s <= kStrings; ++s) EXPECT_EQ(column[s], "-    ") << s;

    board.Clear();
    Show(3, column[3].substr(1));
    EXPECT_EQ(State(3, 12), "red T");
}

TEST_F(ColumnTransferTest, OfTwoMarksTheLowerTurnsBlackBeforeItIsRead) {
    Mark(4, 5);
    Mark(4, 7);
    EXPECT_EQ(Read()[4], "-HHF@");
    EXPECT_EQ(State(4, 5), "black");
    EXPECT_EQ(State(4, 7), "red");

    Mark(4, 3);  // a third mark, as shown notes can leave, is cut off and keeps its colour
    EXPECT_EQ(Read()[4], "-HHF@");
    EXPECT_EQ(State(4, 3), "red");
}

TEST_F(ColumnTransferTest, ReadingFollowsTheOrientation) {
    orientation.leftRightFlipped = 1;
    orientation.upDownFlipped = 1;
    Mark(6, 24);  // string 1, fret 0
    Mark(1, 0);   // string 6, fret 24
    Mark(1, 2);   // string 6, fret 22: the lower of the two
    const WorkColumn column = Read();
    EXPECT_EQ(column[1], "-AH  ");
    EXPECT_EQ(column[6], "-YHW@");
    EXPECT_EQ(State(1, 2), "black");
}

TEST_F(ColumnTransferTest, OutsidePlaybackACellIsShownAndPlayedWithoutTakingBack) {
    Show(1, "AH  ");
    EXPECT_EQ(State(1, 0), "red");
    EXPECT_EQ(played, (Played{{0, 1}}));
    EXPECT_EQ(shownNotes[1], "AH  ");

    Show(1, "DH  ");
    EXPECT_EQ(Marked(1), (Positions{0, 3}));

    Show(2, "C@EI");  // the black note is shown but not played
    EXPECT_EQ(State(2, 2), "black");
    EXPECT_EQ(State(2, 4), "red 1");
    EXPECT_EQ(played, (Played{{0, 1}, {3, 1}, {4, 2}}));

    Show(2, "    ");
    EXPECT_EQ(Marked(2), (Positions{2, 4}));
}

TEST_F(ColumnTransferTest, DuringPlaybackTheNextColumnTakesBackTheOldNotes) {
    playbackRunning = true;
    shownNotes.fill("    ");
    Show(1, "C@EI");
    EXPECT_EQ(played, (Played{{4, 1}}));
    played.clear();

    Show(1, "EI  ");  // slot 1 stands in for the lost second note and sounds again
    EXPECT_EQ(Marked(1), Positions{4});
    EXPECT_EQ(State(1, 4), "red 1");
    EXPECT_EQ(played, (Played{{4, 1}, {4, 1}}));
    EXPECT_EQ(shownNotes[1], "EI  ");

    Show(1, "    ");
    EXPECT_EQ(Marked(1), Positions{});
    EXPECT_EQ(shownNotes[1], "    ");

    Show(5, "HJ  ");  // an empty record counts as blanks
    Show(5, "KH  ");
    EXPECT_EQ(Marked(5), Positions{10});
    EXPECT_EQ(State(5, 7), "unmarked red");
}

TEST_F(ColumnTransferTest, TheOrientationPlacesShownNotesAndAMirroredOpenStringIsAt24) {
    orientation.upDownFlipped = 1;
    Show(1, "DH  ");
    EXPECT_EQ(Marked(6), Positions{3});
    EXPECT_EQ(Marked(1), Positions{});
    EXPECT_EQ(shownNotes[6], "DH  ");

    orientation = {};
    orientation.leftRightFlipped = 1;
    playbackRunning = true;
    Show(1, "AH  ");
    EXPECT_EQ(Marked(1), Positions{24});
    EXPECT_EQ(played, (Played{{3, 6}, {24, 1}}));
    Show(1, "    ");
    EXPECT_EQ(Marked(1), Positions{});
    Show(1, "AH  ");
    Show(1, "DH  ");
    EXPECT_EQ(Marked(1), Positions{21});
}

TEST_F(ColumnTransferTest, FretLettersPastYAreSkipped) {
    playbackRunning = true;
    Show(2, "ZH  ");
    Show(3, "\xFFHDH");
    Show(4, "[HEI");
    int marks = 0;
    for (int row = 1; row <= kRows; ++row) marks += static_cast<int>(Marked(row).size());
    EXPECT_EQ(marks, 2);
    EXPECT_EQ(Marked(3), Positions{3});
    EXPECT_EQ(Marked(4), Positions{4});
    EXPECT_EQ(played, (Played{{3, 3}, {4, 4}}));

    Show(3, "    ");
    EXPECT_EQ(Marked(3), Positions{});
    Show(4, "EIZH");  // the old slot past Y has no place to take back
    EXPECT_EQ(Marked(4), Positions{4});
}

TEST_F(ColumnTransferTest, ShortContentsReadAsBlanks) {
    Show(1, "");
    Show(2, "A");     // a fret letter without attribute: silent, no finger
    Show(4, "  DH");  // a blank first slot ends the notes
    EXPECT_EQ(Marked(1), Positions{});
    EXPECT_EQ(Marked(4), Positions{});
    EXPECT_EQ(State(2, 0), "black");
    EXPECT_TRUE(played.empty());

    playbackRunning = true;
    Show(3, "AH");
    EXPECT_EQ(shownNotes[3], "AH  ");
    Show(3, "");
    EXPECT_EQ(Marked(3), Positions{});
}

TEST_F(ColumnTransferTest, ClearShownNotesTakesBackAFourCharacterRecordUpToAnEmptySlot) {
    Mark(2, 6, true, "2");
    shownNotes[2] = "GH";
    ClearShownNotes(board, orientation, shownNotes, 2);
    EXPECT_EQ(State(2, 6), "red 2");
    EXPECT_EQ(shownNotes[2], "GH");

    shownNotes[2] = "  GH";
    ClearShownNotes(board, orientation, shownNotes, 2);
    EXPECT_EQ(State(2, 6), "red 2");
    EXPECT_EQ(shownNotes[2], "    ");

    shownNotes[2] = "GHBH";
    ClearShownNotes(board, orientation, shownNotes, 2);
    EXPECT_EQ(State(2, 6), "unmarked red");
    EXPECT_EQ(shownNotes[2], "    ");
}

}  // namespace
}  // namespace fretlux
