// SPDX-License-Identifier: MIT
// Rewriting the display symbols of a TAB from its note slots.
#include "document/render_fret_digits.h"

#include <gtest/gtest.h>

#include <string>

#include "document/tab_cell.h"
#include "document/tab_document.h"

namespace fretlux {
namespace {

// A document whose TAB index t has the given first string line; the other five lines hold only
// their header cell, so that line 1 alone decides the TAB's width.
TabDocument WithFirstLine(const std::string& line, int t = 0) {
    TabDocument document;
    document.tabCount = t + 1;
    document.tabLines[t][0] = "label";
    document.tabLines[t][1] = line;
    for (int l = 2; l <= 6; ++l) document.tabLines[t][l] = HeaderCell(kStringLetters[l - 1]);
    return document;
}

std::string Rendered(const std::string& line) {
    TabDocument document = WithFirstLine(line);
    RenderFretDigits(document, 0);
    return document.tabLines[0][1];
}

TEST(RenderFretDigitsTest, SoundingNotesShowTheirFretsFirstDigit) {
    EXPECT_EQ(Rendered("E-----DH  -AH  -    -YJ  "), "E----3DH  0AH  -    2YJ  ");
    // The first slot decides; a second slot rides along unchanged.
    EXPECT_EQ(Rendered("E-----DHFH"), "E----3DHFH");
}

TEST(RenderFretDigitsTest, TwoDigitFretCarriesItsSecondDigitIntoTheNextCell) {
    // The carried digit replaces the stale one of the cell to the right.
    EXPECT_EQ(Rendered("E----1MH  5    -    "), "E----1MH  2    -    ");
    EXPECT_EQ(Rendered("E-----KH  -    "), "E----1KH  0    ");
    EXPECT_EQ(Rendered("E-----YH  |    "), "E----2YH  4    ");
}

TEST(RenderFretDigitsTest, ANoteRightAfterATwoDigitNoteWinsOverTheCarry) {
    EXPECT_EQ(Rendered("E-----MH  -DH  7    "), "E----1MH  3DH  -    ");
}

TEST(RenderFretDigitsTest, LeftoverDigitsBecomeHyphens) {
    EXPECT_EQ(Rendered("E----7    |    9 x  "), "E-----    |    - x  ");
}

TEST(RenderFretDigitsTest, SilentNotesRenderNoDigit) {
    // Attribute letters at or below "G" are silent: the symbol stays "-", a digit becomes "-".
    EXPECT_EQ(Rendered("E-----DB  3D@  5DG  "), "E-----DB  -D@  -DG  ");
    // A silent two-digit note carries nothing.
    EXPECT_EQ(Rendered("E----1MB  2    "), "E-----MB  -    ");
}

TEST(RenderFretDigitsTest, OtherSymbolsAndTheHeaderCellStay) {
    EXPECT_EQ(Rendered("E----|    h    /    -    "), "E----|    h    /    -    ");
}

TEST(RenderFretDigitsTest, TabsOfSevenCharactersOrLessAreLeftAlone) {
    EXPECT_EQ(Rendered("E----5 "), "E----5 ");
    EXPECT_EQ(Rendered("E----9D"), "E----9D");
    // A whole cell more and the stale digit goes.
    EXPECT_EQ(Rendered("E----5    "), "E-----    ");
}

TEST(RenderFretDigitsTest, AllSixLinesAreRenderedAndOtherTabsAreNotTouched) {
    TabDocument document = WithFirstLine("E----1MH  5    ", 1);
    document.tabLines[1][6] = "E-----FH  9    ";
    document.tabLines[0] = document.tabLines[1];
    RenderFretDigits(document, 1);
    EXPECT_EQ(document.tabLines[1][1], "E----1MH  2    ");
    EXPECT_EQ(document.tabLines[1][6], "E----5FH  -    ");
    EXPECT_EQ(document.tabLines[1][2], "B----");
    EXPECT_EQ(document.tabLines[1][0], "label");
    EXPECT_EQ(document.tabLines[0][1], "E----1MH  5    ");
}

}  // namespace
}  // namespace fretlux
