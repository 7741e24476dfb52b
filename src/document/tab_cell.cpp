// SPDX-License-Identifier: MIT
#include "document/tab_cell.h"

#include "document/strings.h"

namespace fretlux {

std::optional<SlotNote> DecodeSlot(std::string_view slot) {
    if (slot.size() < 2 || CharCode(slot[0]) < 'A') return std::nullopt;
    const bool sounding = AttributeSounds(slot[1]);
    return SlotNote{CharCode(slot[0]) - 'A', CharCode(slot[1]) - '@' - (sounding ? 8 : 0),
                    sounding};
}

std::string HeaderCell(char letter) { return std::string(1, UpperAscii(letter)) + "----"; }

std::string BlankStringLine(int line) {
    std::string result = HeaderCell(kStringLetters[line - 1]);
    result.reserve(kEditedLineLength);
    while (static_cast<int>(result.size()) < kEditedLineLength) result += "-    ";
    return result;
}

std::string DisplaySymbols(std::string_view line) {
    std::string symbols;
    symbols.reserve(line.size() / kCellWidth + 1);
    for (size_t p = 0; p < line.size(); p += kCellWidth) symbols += line[p];
    return symbols;
}

}  // namespace fretlux
