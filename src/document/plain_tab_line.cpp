// SPDX-License-Identifier: MIT
#include "document/plain_tab_line.h"

#include "document/strings.h"
#include "document/tab_cell.h"

namespace fretlux {

namespace {

// A digit 1..9 before a digit makes that digit the second of a two-digit fret, not a note;
// a "0" before a digit does not (0 is never the first digit of a fret number).
bool StartsNote(std::string_view s, size_t i) {
    const char before = s[i - 1];
    return IsDigit(s[i]) && !(before >= '1' && before <= '9');
}

int FretAt(std::string_view s, size_t i) {
    const int first = s[i] - '0';
    if (i + 1 < s.size() && IsDigit(s[i + 1])) {
        const int both = first * 10 + (s[i + 1] - '0');
        if (both <= 24) return both;
    }
    return first;
}

}  // namespace

std::string ConvertPlainTabLine(std::string_view s) {
    if (s.empty()) return {};
    std::string cells = HeaderCell(s[0]);
    cells.reserve(s.size() * kCellWidth);
    for (size_t i = 1; i < s.size(); ++i) {
        cells += s[i];
        if (StartsNote(s, i)) {
            cells += FretLetter(FretAt(s, i));
            cells += AttributeLetter(0, true);
            cells += "  ";
        } else {
            cells += "    ";
        }
    }
    return cells;
}

}  // namespace fretlux
