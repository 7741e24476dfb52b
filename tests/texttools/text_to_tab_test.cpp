// SPDX-License-Identifier: MIT
#include "texttools/text_to_tab.h"

#include <gtest/gtest.h>

#include <string>

#include "document/tab_cell.h"

namespace fretlux {
namespace {

// A string line: its letter cell, then one 5-character cell for each symbol given.
std::string Line(char letter, const std::string& symbols) {
    std::string line = std::string(1, letter) + "|   ";
    for (char symbol : symbols) line += std::string(1, symbol) + "    ";
    return line;
}

TabBlock Tab(const std::string& symbols) {
    TabBlock tab;
    tab[0] = "Header";
    for (int i = 1; i < kLinesPerTab; ++i) tab[i] = Line(kStringLetters[i - 1], symbols);
    return tab;
}

TEST(ReadColumnSymbols, ReadsTheColumnsDisplaySymbolTopLineFirst) {
    TabBlock tab = Tab("--------");
    tab[1][5 * 3 + 5] = '3';
    tab[4][5 * 3 + 5] = 'h';
    tab[6][5 * 3 + 5] = '/';
    EXPECT_EQ(ReadColumnSymbols(tab, 3), "3--h-/");
    EXPECT_EQ(ReadColumnSymbols(tab, 0), "------");
}

TEST(ReadColumnSymbols, ALineEndingBeforeTheColumnGivesABlankInItsPlace) {
    TabBlock tab = Tab("ab");
    tab[3] = Line('G', "a");
    tab[6] = "E|";
    EXPECT_EQ(ReadColumnSymbols(tab, 1), "bb bb ");
    EXPECT_EQ(ReadColumnSymbols(tab, 0), "aaaaa ");
}

TEST(WriteColumnSymbols, PutsEachSymbolOnItsLineAndLeavesTheRestOfTheCell) {
    TabBlock tab = Tab("----");
    tab[2].replace(5 * 2 + 5, 5, "-CHAI");
    WriteColumnSymbols(tab, 2, "xyz123");
    EXPECT_EQ(ReadColumnSymbols(tab, 2), "xyz123");
    EXPECT_EQ(tab[2], Line('B', "--y-").replace(5 * 2 + 6, 4, "CHAI"));
    EXPECT_EQ(tab[1], Line('E', "--x-"));
    EXPECT_EQ(tab[0], "Header");
}

TEST(WriteColumnSymbols, PadsALineThatEndsBeforeTheColumnWithBlanks) {
    TabBlock tab = Tab("---");
    tab[5] = "A|";
    WriteColumnSymbols(tab, 2, "abcdef");
    EXPECT_EQ(tab[5], "A|" + std::string(13, ' ') + "e");
    EXPECT_EQ(tab[6], Line('E', "--f"));
}

TEST(WriteColumnSymbols, CutsEveryLineToTheEditedLengthEvenWhenItsSymbolIsUnchanged) {
    TabBlock tab = Tab(std::string(80, '-'));
    tab[3] = Line('G', "--");
    const std::string symbols = ReadColumnSymbols(tab, 1);
    WriteColumnSymbols(tab, 1, symbols);
    for (int i = 1; i < kLinesPerTab; ++i) {
        if (i == 3) continue;
        EXPECT_EQ(tab[i].size(), static_cast<std::size_t>(kEditedLineLength)) << "line " << i;
        EXPECT_EQ(tab[i], Line(kStringLetters[i - 1], std::string(80, '-')).substr(0, 395));
    }
    EXPECT_EQ(tab[3], Line('G', "--"));
}

TEST(WriteColumnSymbols, ASymbolBeyondTheEditedLengthIsCutAwayWithTheLine) {
    TabBlock tab = Tab(std::string(79, '-'));
    // Column 78's symbol sits at position 396, one past what an edited line keeps.
    WriteColumnSymbols(tab, 78, "xxxxxx");
    for (int i = 1; i < kLinesPerTab; ++i) {
        EXPECT_EQ(tab[i].size(), static_cast<std::size_t>(kEditedLineLength));
        EXPECT_EQ(tab[i].find('x'), std::string::npos);
    }
}

}  // namespace
}  // namespace fretlux
