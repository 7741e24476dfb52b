// SPDX-License-Identifier: MIT
// The 5-character cell encoding and the document-wide operations on blank TABs.
#include "document/tab_cell.h"

#include <gtest/gtest.h>

#include "document/tab_document.h"

namespace fretlux {
namespace {

TEST(TabCellTest, LettersEncodeFretFingerAndSound) {
    EXPECT_EQ(FretLetter(0), 'A');
    EXPECT_EQ(FretLetter(3), 'D');
    EXPECT_EQ(FretLetter(24), 'Y');
    EXPECT_EQ(AttributeLetter(0, false), '@');
    EXPECT_EQ(AttributeLetter(2, false), 'B');
    EXPECT_EQ(AttributeLetter(0, true), 'H');
    EXPECT_EQ(AttributeLetter(2, true), 'J');
    EXPECT_EQ(AttributeLetter(kThumb, true), 'M');
    EXPECT_FALSE(AttributeSounds('G'));
    EXPECT_TRUE(AttributeSounds('H'));
}

TEST(TabCellTest, DecodeSlotReadsEveryExampleCell) {
    const auto open = DecodeSlot("AH");
    ASSERT_TRUE(open);
    EXPECT_EQ(open->fret, 0);
    EXPECT_EQ(open->finger, 0);
    EXPECT_TRUE(open->sounding);

    const auto fingered = DecodeSlot("FJ");  // fret 5, finger 2, sounding
    ASSERT_TRUE(fingered);
    EXPECT_EQ(fingered->fret, 5);
    EXPECT_EQ(fingered->finger, 2);
    EXPECT_TRUE(fingered->sounding);

    const auto silent = DecodeSlot("DB");  // fret 3, finger 2, silent
    ASSERT_TRUE(silent);
    EXPECT_EQ(silent->fret, 3);
    EXPECT_EQ(silent->finger, 2);
    EXPECT_FALSE(silent->sounding);

    const auto thumb = DecodeSlot("YM");
    ASSERT_TRUE(thumb);
    EXPECT_EQ(thumb->fret, 24);
    EXPECT_EQ(thumb->finger, kThumb);
    EXPECT_TRUE(thumb->sounding);

    EXPECT_FALSE(DecodeSlot("  "));
    EXPECT_FALSE(DecodeSlot("@H"));
    EXPECT_FALSE(DecodeSlot("A"));
}

TEST(TabCellTest, ANoteNeedsAFretLetterInCharacterTwo) {
    EXPECT_TRUE(CellHoldsNote("3DH  "));
    EXPECT_TRUE(CellHoldsNote("-DB  "));
    EXPECT_TRUE(CellHoldsNote("1MH  "));
    EXPECT_FALSE(CellHoldsNote("-    "));
    EXPECT_FALSE(CellHoldsNote("|    "));
    EXPECT_FALSE(CellHoldsNote("-@H  "));
    EXPECT_FALSE(CellHoldsNote("-"));
}

TEST(TabCellTest, BlankLinesAndSymbols) {
    EXPECT_EQ(HeaderCell('e'), "E----");
    EXPECT_EQ(HeaderCell('|'), "|----");
    for (int l = 1; l <= 6; ++l) {
        const std::string line = BlankStringLine(l);
        ASSERT_EQ(line.size(), 395u);
        EXPECT_EQ(line.substr(0, 5), HeaderCell(kStringLetters[l - 1]));
        EXPECT_EQ(line.substr(390), "-    ");
        EXPECT_EQ(DisplaySymbols(line), std::string(1, "EBGDAE"[l - 1]) + std::string(78, '-'));
    }
    EXPECT_EQ(DisplaySymbols("E----|    3DH  1MH  2    "), "E|312");
    EXPECT_EQ(DisplaySymbols("E----3D"), "E3");
    EXPECT_EQ(DisplaySymbols(""), "");
}

TEST(TabDocumentTest, BlankTabHasSpacedHeaderAndEmptyColumns) {
    TabDocument document;
    document.tabTexts[4] = "old text\r\n";
    document.MakeBlankTab(4);
    EXPECT_EQ(document.tabLines[4][0], std::string(81, ' '));
    EXPECT_EQ(document.tabLines[4][2], BlankStringLine(2));
    EXPECT_EQ(document.tabLines[4][6].substr(0, 10), "E-----    ");
    EXPECT_EQ(document.tabTexts[4], "");
}

TEST(TabDocumentTest, ClearEmptiesEveryTabAndCopyTakesTextAlong) {
    TabDocument document;
    document.MakeBlankTab(0);
    document.tabTexts[0] = "first\r\n";
    document.CopyTab(0, 1);
    document.tabCount = 2;
    EXPECT_EQ(document.tabLines[1], document.tabLines[0]);
    EXPECT_EQ(document.tabTexts[1], "first\r\n");

    document.Clear();
    EXPECT_EQ(document.tabCount, 0);
    for (int t = 0; t < 2; ++t) {
        EXPECT_EQ(document.tabTexts[t], "");
        for (const std::string& line : document.tabLines[t]) EXPECT_EQ(line, "");
    }
}

}  // namespace
}  // namespace fretlux
