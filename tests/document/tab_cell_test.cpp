// SPDX-License-Identifier: MIT
// The 5-character cell encoding and the document-wide operations on blank TABs.
#include "document/tab_cell.h"

#include <gtest/gtest.h>

#include "document/tab_document.h"

namespace fretlux {
namespace {

TEST(TabCellTest, LettersEncodeFretFingerAndSoundAndDecodeBack) {
    EXPECT_EQ(FretLetter(24), 'Y');
    EXPECT_EQ(AttributeLetter(2, false), 'B');
    EXPECT_EQ(AttributeLetter(kThumb, true), 'M');
    const struct {
        const char* slot;
        int fret, finger;
        bool sounding;
    } notes[] = {{"AH", 0, 0, true},
                 {"FJ", 5, 2, true},
                 {"DB", 3, 2, false},
                 {"YM", 24, kThumb, true},
                 {"A@", 0, 0, false}};
    for (const auto& n : notes) {
        const auto note = DecodeSlot(n.slot);
        ASSERT_TRUE(note) << n.slot;
        EXPECT_EQ(note->fret, n.fret) << n.slot;
        EXPECT_EQ(note->finger, n.finger) << n.slot;
        EXPECT_EQ(note->sounding, n.sounding) << n.slot;
        EXPECT_EQ(AttributeLetter(n.finger, n.sounding), n.slot[1]) << n.slot;
    }
    for (const char* none : {"  ", "@H", "A"}) EXPECT_FALSE(DecodeSlot(none)) << none;
    for (const char* cell : {"3DH  ", "-DB  ", "1MH  "}) EXPECT_TRUE(CellHoldsNote(cell)) << cell;
    for (const char* cell : {"-    ", "|    ", "-@H  ", "-"}) EXPECT_FALSE(CellHoldsNote(cell));
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
