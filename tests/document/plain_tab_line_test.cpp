// SPDX-License-Identifier: MIT
// Turning a plain TAB string line, one character per position, into 5-character cells.
#include "document/plain_tab_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fretlux {
namespace {

std::string Cells(const std::vector<std::string>& cells) {
    std::string line;
    for (const std::string& cell : cells) line += cell;
    return line;
}

TEST(PlainTabLineTest, IntroRiffFirstLine) {
    EXPECT_EQ(ConvertPlainTabLine("e|---0---3---|"),
              Cells({"E----", "|    ", "-    ", "-    ", "-    ", "0AH  ", "-    ", "-    ",
                     "-    ", "3DH  ", "-    ", "-    ", "-    ", "|    "}));
}

TEST(PlainTabLineTest, TwoDigitFretsUpTo24) {
    // 12 is one note; 25 is more than 24, so only the 2 is a note; the second digits stay as
    // symbols of cells without notes.
    EXPECT_EQ(ConvertPlainTabLine("e|--12--25--|"),
              Cells({"E----", "|    ", "-    ", "-    ", "1MH  ", "2    ", "-    ", "-    ",
                     "2CH  ", "5    ", "-    ", "-    ", "|    "}));
    EXPECT_EQ(ConvertPlainTabLine("e-24-30"),
              Cells({"E----", "-    ", "2YH  ", "4    ", "-    ", "3DH  ", "0    "}));
}

TEST(PlainTabLineTest, ADigitAfterADigitOneToNineIsNoNote) {
    EXPECT_EQ(ConvertPlainTabLine("e-123"), Cells({"E----", "-    ", "1MH  ", "2    ", "3    "}));
    // The first character counts as the one before the second.
    EXPECT_EQ(ConvertPlainTabLine("77"), Cells({"7----", "7    "}));
}

TEST(PlainTabLineTest, AZeroNeverBlocksTheNextDigit) {
    EXPECT_EQ(ConvertPlainTabLine("e-00-"), Cells({"E----", "-    ", "0AH  ", "0AH  ", "-    "}));
    EXPECT_EQ(ConvertPlainTabLine("e-05-"), Cells({"E----", "-    ", "0FH  ", "5FH  ", "-    "}));
    EXPECT_EQ(ConvertPlainTabLine("e-10"), Cells({"E----", "-    ", "1KH  ", "0    "}));
}

TEST(PlainTabLineTest, DigitAtTheEndAndAnyCharacterBeforeIt) {
    EXPECT_EQ(ConvertPlainTabLine("e|7"), Cells({"E----", "|    ", "7HH  "}));
    EXPECT_EQ(ConvertPlainTabLine("e5h7p5"),
              Cells({"E----", "5FH  ", "h    ", "7HH  ", "p    ", "5FH  "}));
    EXPECT_EQ(ConvertPlainTabLine("e 3/9"), Cells({"E----", "     ", "3DH  ", "/    ", "9JH  "}));
}

TEST(PlainTabLineTest, OtherBytesAreKeptAsSymbols) {
    const std::string odd = std::string("e-\0\xe9\t", 5);
    EXPECT_EQ(ConvertPlainTabLine(odd),
              "E----" + std::string("-    ") + std::string("\0    ", 5) + "\xe9    " + "\t    ");
    EXPECT_EQ(ConvertPlainTabLine("e"), "E----");
    EXPECT_EQ(ConvertPlainTabLine(""), "");
}

}  // namespace
}  // namespace fretlux
