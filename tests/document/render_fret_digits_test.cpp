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

TEST(RenderFretDigitsTest, SymbolsFollowTheNoteSlots) {
    const struct {
        const char* rule;
        std::string line;
        std::string rendered;
    } rows[] = {
        {"sounding notes show their fret's first digit", "E-----DH  -AH  -    -YJ  ",
         "E----3DH  0AH  -    2YJ  "},
        {"the first slot decides", "E-----DHFH", "E----3DHFH"},
        {"a two-digit fret carries its second digit", "E----1MH  5    -    ",
         "E----1MH  2    -    "},
        {"into any next cell", "E-----YH  |    ", "E----2YH  4    "},
        {"a note right after it wins over the carry", "E-----MH  -DH  7    ",
         "E----1MH  3DH  -    "},
        {"leftover digits become hyphens", "E----7    |    9 x  ", "E-----    |    - x  "},
        {"silent notes render no digit", "E-----DB  3D@  5DG  ", "E-----DB  -D@  -DG  "},
        {"a silent two-digit note carries nothing", "E----1MB  2    ", "E-----MB  -    "},
        {"other symbols stay", "E----|    h    /    -    ", "E----|    h    /    -    "},
        {"seven characters or less are left alone", "E----9D", "E----9D"},
        {"a whole cell more is not", "E----5    ", "E-----    "},
    };
    for (const auto& row : rows) EXPECT_EQ(Rendered(row.line), row.rendered) << row.rule;
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
