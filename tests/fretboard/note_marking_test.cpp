// SPDX-License-Identifier: MIT
// Presses, finger buttons and keys on the fretboard marks.
#include "fretboard/note_marking.h"

#include <gtest/gtest.h>

#include <vector>

#include "board_test_support.h"

namespace fretlux {
namespace {

using Positions = std::vector<int>;

class NoteMarkingTest : public ::testing::Test {
protected:
    PressResult Left(int row, int i) { return PressPosition(board, last, row, i, kLeftButton); }
    PressResult Right(int row, int i) { return PressPosition(board, last, row, i, kRightButton); }
    KeyCommand Key(int key) { return TypeCharacter(board, last, key); }
    std::string State(int row, int i) const { return Describe(board, row, i); }

    Fretboard board;
    LastSelection last;
};

TEST_F(NoteMarkingTest, LeftPressOnAnEmptyRowMarksRedPlaysAndSelects) {
    const PressResult result = Left(2, 5);
    EXPECT_TRUE(result.play);
    EXPECT_EQ(result.row, 2);
    EXPECT_EQ(result.position, 5);
    EXPECT_EQ(State(2, 5), "red");
    EXPECT_EQ(MarkedPositions(board, 2), Positions{5});
    EXPECT_EQ(last.lastRow, 2);
    EXPECT_EQ(last.lastPosition, 5);
}

TEST_F(NoteMarkingTest, ANewMarkKeepsOnlyTheLowestMarkOfTheRow) {
    Left(3, 3);
    Left(3, 7);
    board.At(3, 7).finger = "2";
    EXPECT_TRUE(Left(3, 10).play);
    EXPECT_EQ(MarkedPositions(board, 3), (Positions{3, 10}));
    EXPECT_EQ(State(3, 7), "unmarked red");
    Left(3, 1);  // below both: the lowest stays, whichever side of it the press is
    EXPECT_EQ(MarkedPositions(board, 3), (Positions{1, 3}));
    EXPECT_EQ(MarkedPositions(board, 4), Positions{});
}

TEST_F(NoteMarkingTest, PressingARedMarkAdvancesItsFingerUpToTheThumb) {
    Left(1, 4);
    for (const char* expected : {"red 1", "red 2", "red 3", "red 4", "red T", "red T"}) {
        EXPECT_FALSE(Left(1, 4).play);
        EXPECT_EQ(State(1, 4), expected);
    }
}

TEST_F(NoteMarkingTest, RightPressesMakeBlackThenRemoveSilentlyAndLeftMakesRedAgain) {
    Left(4, 2);
    Left(4, 2);
    EXPECT_FALSE(Right(4, 2).play);
    EXPECT_EQ(State(4, 2), "black 1");
    EXPECT_TRUE(Left(4, 2).play);
    EXPECT_EQ(State(4, 2), "red 1");
    Right(4, 2);
    EXPECT_FALSE(Right(4, 2).play);
    EXPECT_EQ(State(4, 2), "unmarked black");  // the colour outlives the mark

    Right(5, 9);  // an empty red position only turns black
    EXPECT_EQ(State(5, 9), "unmarked black");
    EXPECT_EQ(last.lastRow, 5);
    EXPECT_EQ(last.lastPosition, 9);

    for (int button : {0, 3, 4}) EXPECT_FALSE(PressPosition(board, last, 2, 2, button).play);
    EXPECT_EQ(State(2, 2), "unmarked red");
    EXPECT_EQ(last.lastRow, 5);
}

TEST_F(NoteMarkingTest, DoubleClickAdvancesOnlyARedMarkBelowTheThumb) {
    Left(1, 1);
    DoubleClickFinger(board, 1, 1);
    EXPECT_EQ(State(1, 1), "red 1");
    board.At(1, 1).finger = "T";
    DoubleClickFinger(board, 1, 1);
    EXPECT_EQ(State(1, 1), "red T");

    Left(2, 1);
    Right(2, 1);
    DoubleClickFinger(board, 2, 1);
    DoubleClickFinger(board, 3, 1);
    EXPECT_EQ(State(2, 1), "black");
    EXPECT_EQ(State(3, 1), "unmarked red");
}

TEST_F(NoteMarkingTest, FingerButtonsNeedAMarkedLastSelectionOfAnyColour) {
    AllocateFinger(board, last, 2);  // nothing pressed yet
    EXPECT_EQ(State(1, 0), "unmarked red");

    Left(2, 8);
    Right(2, 8);
    AllocateFinger(board, last, 2);
    EXPECT_EQ(State(2, 8), "black 3");
    AllocateFinger(board, last, 4);
    EXPECT_EQ(State(2, 8), "black T");

    Right(2, 8);
    AllocateFinger(board, last, 0);
    EXPECT_EQ(State(2, 8), "unmarked black");
}

TEST_F(NoteMarkingTest, KeysBeforeAnyPressChangeNothing) {
    board.At(1, 0).red = false;
    EXPECT_EQ(Key('3'), KeyCommand::kFinger);
    EXPECT_EQ(Key('+'), KeyCommand::kPlayable);
    EXPECT_EQ(State(1, 0), "unmarked black");
    board.At(1, 0).red = true;
    EXPECT_EQ(Key('-'), KeyCommand::kNotPlayable);
    EXPECT_EQ(State(1, 0), "unmarked red");
}

TEST_F(NoteMarkingTest, KeyTableMapsDigitsSignsAndEnter) {
    Left(3, 6);
    EXPECT_EQ(Key('5'), KeyCommand::kFinger);
    EXPECT_EQ(State(3, 6), "red T");
    EXPECT_EQ(Key('1'), KeyCommand::kFinger);
    for (int key : {'0', '6', '9', 'T', 't', ' '}) EXPECT_EQ(Key(key), KeyCommand::kNone) << key;
    EXPECT_EQ(State(3, 6), "red 1");
    EXPECT_EQ(Key('-'), KeyCommand::kNotPlayable);
    EXPECT_EQ(State(3, 6), "black 1");
    EXPECT_EQ(Key('='), KeyCommand::kPlayable);
    EXPECT_EQ(State(3, 6), "red 1");
    EXPECT_EQ(Key(13), KeyCommand::kPasteFretboard);
    EXPECT_EQ(MarkedPositions(board, 3), Positions{6});
}

TEST_F(NoteMarkingTest, PlayableKeyOnARemovedMarkOnlyColoursThePosition) {
    Left(5, 3);
    Right(5, 3);
    Right(5, 3);
    Key('3');
    EXPECT_EQ(State(5, 3), "unmarked black");
    Key('+');
    EXPECT_EQ(State(5, 3), "unmarked red");
    EXPECT_TRUE(Left(5, 3).play);
    EXPECT_EQ(State(5, 3), "red");
}

TEST_F(NoteMarkingTest, ClearRemovesMarksAndFingersButKeepsColoursAndTheSelection) {
    Left(2, 4);
    Left(2, 4);
    Left(6, 0);
    Right(6, 0);
    board.Clear();
    EXPECT_EQ(State(2, 4), "unmarked red");
    EXPECT_EQ(State(6, 0), "unmarked black");
    EXPECT_EQ(last.lastRow, 6);
    EXPECT_TRUE(Left(6, 0).play);
    EXPECT_EQ(State(6, 0), "red");
}

}  // namespace
}  // namespace fretlux
