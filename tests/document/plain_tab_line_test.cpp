// SPDX-License-Identifier: MIT
// Turning a plain TAB string line, one character per position, into 5-character cells.
#include "document/plain_tab_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fretlux {
namespace {

TEST(PlainTabLineTest, EveryCharacterBecomesACellAndFretDigitsBecomeNotes) {
    const struct {
        std::string line;
        std::vector<std::string> cells;
    } rows[] = {
        {"e|---0---3---|",  // the intro riff's first line
         {"E----", "|    ", "-    ", "-    ", "-    ", "0AH  ", "-    ", "-    ", "-    ", "3DH  ",
          "-    ", "-    ", "-    ", "|    "}},
        // 12 is one note; 25 is more than 24, so only the 2 is a note; second digits stay symbols.
        {"e-12-25", {"E----", "-    ", "1MH  ", "2    ", "-    ", "2CH  ", "5    "}},
        {"e-24-30", {"E----", "-    ", "2YH  ", "4    ", "-    ", "3DH  ", "0    "}},
        // A digit after a digit 1 to 9 is no note; the first character counts as one before.
        {"e-123", {"E----", "-    ", "1MH  ", "2    ", "3    "}},
        {"77", {"7----", "7    "}},
        // A zero never blocks the next digit.
        {"e-00-", {"E----", "-    ", "0AH  ", "0AH  ", "-    "}},
        {"e-05", {"E----", "-    ", "0FH  ", "5FH  "}},
        {"e-10", {"E----", "-    ", "1KH  ", "0    "}},
        // A digit at the end, and any character before a digit.
        {"e5h7p5", {"E----", "5FH  ", "h    ", "7HH  ", "p    ", "5FH  "}},
        {"e 3/9", {"E----", "     ", "3DH  ", "/    ", "9JH  "}},
        // Other bytes are kept as symbols.
        {std::string("e-\0\xe9\t", 5),
         {"E----", "-    ", std::string("\0    ", 5), "\xe9    ", "\t    "}},
        {"e", {"E----"}},
        {"", {}},
    };
    for (const auto& row : rows) {
        std::string cells;
        for (const std::string& cell : row.cells) cells += cell;
        EXPECT_EQ(ConvertPlainTabLine(row.line), cells) << row.line;
    }
}

}  // namespace
}  // namespace fretlux
