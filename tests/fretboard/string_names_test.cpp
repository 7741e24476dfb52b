// SPDX-License-Identifier: MIT
// The string names and flags of the two rotations; what a rotation does to the marks is the
// window model's business.
#include "fretboard/string_names.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

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

}  // namespace
}  // namespace fretlux
