// SPDX-License-Identifier: MIT
// The 1-based string helpers and the rounding rule the document code is written in.
#include "document/strings.h"

#include <gtest/gtest.h>

#include "document/rounding.h"

namespace fretlux {
namespace {

TEST(StringsTest, LeftRightAndMidYieldWhatIsThere) {
    EXPECT_EQ(Left("Intro riff", 5), "Intro");
    EXPECT_EQ(Left("abc", 80), "abc");
    EXPECT_EQ(Left("abc", -3), "");
    EXPECT_EQ(Right("header041100025", 9), "041100025");
    EXPECT_EQ(Right("abc", 79), "abc");
    EXPECT_EQ(Mid("0123456789", 2, 3), "123");
    EXPECT_EQ(Mid("0123456789", 8), "789");
    EXPECT_EQ(Mid("abc", 4, 1), "");
    EXPECT_EQ(Mid("abc", 0, 1), "");
}

TEST(StringsTest, TrimAndBlankConsiderSpacesOnly) {
    EXPECT_EQ(TrimSpaces("  e|---|  "), "e|---|");
    EXPECT_EQ(TrimSpaces("\te|---|\t"), "\te|---|\t");
    EXPECT_EQ(TrimSpaces("     "), "");
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_FALSE(IsBlank("\r\n"));
    EXPECT_FALSE(IsBlank(" x "));
}

TEST(StringsTest, UpperAsciiLeavesOtherBytes) {
    EXPECT_EQ(UpperAscii("e|-a-z-{-`"), "E|-A-Z-{-`");
    EXPECT_EQ(UpperAscii(std::string("\xe9\x00", 2)), std::string("\xe9\x00", 2));
    EXPECT_EQ(PadRight("ab", 5), "ab   ");
    EXPECT_EQ(PadRight("abcdef", 5), "abcdef");
}

TEST(RoundingTest, HalvesGoToTheEvenNeighbour) {
    for (const auto& [value, rounded] : {std::pair{0.5, 0}, std::pair{1.5, 2}, std::pair{2.5, 2},
                                         std::pair{-1.5, -2}, std::pair{-2.5, -2},
                                         std::pair{2.4999, 2}, std::pair{2.5001, 3},
                                         std::pair{-2.6, -3}}) {
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
    }
}

}  // namespace
}  // namespace fretlux
