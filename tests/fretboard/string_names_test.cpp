// SPDX-License-Identifier: MIT
// The string names and flags of the two rotations, and a rotation composed the way the window
// runs it: read the column, clear the board, turn it, show the column again.
#include "fretboard/string_names.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "board_test_support.h"
#include "document/strings.h"
#include "fretboard/column_transfer.h"

namespace fretlux {
namespace {

using Names = std::array<std::string, kRows>;
const Names kBlank{};
const Names kLowToHigh{"E", "A", "D", "G", "B", "E"};
const Names kHighToLow{"E", "B", "G", "D", "A", "E"};

TEST(StringNamesTest, EachFlipSetsItsFlagAndRewritesTheNamesOnTheSideInUse) {
    Orientation orientation;
    StringNameLabels labels;
    EXPECT_EQ(labels.lblStrgL, kLowToHigh);
    EXPECT_EQ(labels.lblStrgR, kBlank);
    const struct {
        void (*flip)(Orientation&, StringNameLabels&);
        int leftRight, upDown;
        const Names& left;
        const Names& right;
    } steps[] = {
        {FlipLeftRight, 1, 0, kBlank, kLowToHigh}, {FlipLeftRight, 0, 0, kLowToHigh, kBlank},
        {FlipUpDown, 0, 1, kHighToLow, kBlank},    {FlipLeftRight, 1, 1, kBlank, kHighToLow},
        {FlipUpDown, 1, 0, kBlank, kLowToHigh},
    };
    for (const auto& step : steps) {
        step.flip(orientation, labels);
        SCOPED_TRACE(::testing::Message() << step.leftRight << step.upDown);
        EXPECT_EQ(orientation.leftRightFlipped, step.leftRight);
        EXPECT_EQ(orientation.upDownFlipped, step.upDown);
        EXPECT_EQ(labels.lblStrgL, step.left);
        EXPECT_EQ(labels.lblStrgR, step.right);
    }
}

class RotationTest : public ::testing::Test {
protected:
    void Rotate(void (*flip)(Orientation&, StringNameLabels&)) {
        WorkColumn column;
        ReadFretboardColumn(board, orientation, column);
        board.Clear();
        flip(orientation, labels);
        ShownNotes shownNotes;
        const CellDisplay display{board, orientation, shownNotes, false, {}};
        for (int s = 1; s <= kStrings; ++s) ShowCellOnFretboard(display, s, Right(column[s], 4));
    }

    Fretboard board;
    Orientation orientation;
    StringNameLabels labels;
};

TEST_F(RotationTest, AnOpenLowEMovesToTheRightEndThenToTheBottomRow) {
    board.At(1, 0) = FretMark{true, true, ""};
    Rotate(FlipLeftRight);
    EXPECT_EQ(MarkedPositions(board, 1), std::vector<int>{24});
    EXPECT_EQ(Describe(board, 1, 24), "red");
    Rotate(FlipUpDown);
    EXPECT_EQ(MarkedPositions(board, 1), std::vector<int>{});
    EXPECT_EQ(Describe(board, 6, 24), "red");
    EXPECT_EQ(labels.lblStrgR, kHighToLow);
}

TEST_F(RotationTest, TurningTwiceGivesBackTheMarksButTheLowerOfTwoIsBlack) {
    board.At(2, 5) = FretMark{true, true, "1"};
    board.At(2, 7) = FretMark{true, true, "3"};
    board.At(4, 9) = FretMark{true, false, "T"};
    for (auto flip : {FlipLeftRight, FlipUpDown}) {
        Rotate(flip);
        Rotate(flip);
        EXPECT_EQ(MarkedPositions(board, 2), (std::vector<int>{5, 7}));
        EXPECT_EQ(Describe(board, 2, 5), "black 1");
        EXPECT_EQ(Describe(board, 2, 7), "red 3");
        EXPECT_EQ(MarkedPositions(board, 4), std::vector<int>{9});
        EXPECT_EQ(Describe(board, 4, 9), "black T");
        for (int row : {1, 3, 5, 6}) EXPECT_EQ(MarkedPositions(board, row), std::vector<int>{});
    }
}

}  // namespace
}  // namespace fretlux
