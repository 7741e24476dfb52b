// SPDX-License-Identifier: MIT
#include "texttools/text_to_tab.h"

#include "document/strings.h"
#include "document/tab_cell.h"

namespace fretlux {

namespace {

// 0-based index of the column's display symbol in a string line.
std::size_t SymbolIndex(int column) { return static_cast<std::size_t>(kCellWidth * column + 5); }

}  // namespace

std::string ReadColumnSymbols(const TabBlock& tab, int column) {
    const std::size_t at = SymbolIndex(column);
    std::string symbols;
    for (int line = 1; line < kLinesPerTab; ++line) {
        symbols += at < tab[line].size() ? tab[line][at] : ' ';
    }
    return symbols;
}

void WriteColumnSymbols(TabBlock& tab, int column, std::string_view symbols) {
    const std::size_t at = SymbolIndex(column);
    for (int line = 1; line < kLinesPerTab; ++line) {
        std::string& text = tab[line];
        if (text.size() <= at) text.resize(at + 1, ' ');
        text[at] = symbols[static_cast<std::size_t>(line - 1)];
        text = Left(text, kEditedLineLength);
    }
}

}  // namespace fretlux
