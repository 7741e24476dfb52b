// SPDX-License-Identifier: MIT
// The 5-character cell encoding and the blank lines and symbols built from it.
#include "document/tab_cell.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace fretlux
