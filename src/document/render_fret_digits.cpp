// SPDX-License-Identifier: MIT
#include "document/render_fret_digits.h"

#include <algorithm>
#include <array>

#include "document/strings.h"
#include "document/tab_cell.h"

namespace fretlux {

namespace {

int CodeAt(std::string_view cell, size_t index) {
    return index < cell.size() ? CharCode(cell[index]) : 0;
}

// The rendered form of one cell, given the digit its string carries from the cell to the left;
// leaves in carry what the next cell of the string receives.
std::string RenderCell(std::string_view cell, std::string& carry) {
    const int code = CodeAt(cell, 1) - '@';
    const bool note = CodeAt(cell, 2) > 'G' && code > 0;
    if (note) {
        const std::string fret = std::to_string(code - 1);
        carry = code - 1 > 9 ? Right(fret, 1) : "";
        return fret.substr(0, 1) + Right(cell, 4);
    }
    if (!carry.empty()) {
        std::string rendered = carry + Right(cell, 4);
        carry.clear();
        return rendered;
    }
    if (!cell.empty() && IsDigit(cell[0])) return "-" + Right(cell, 4);
    return std::string(cell);
}

}  // namespace

void RenderFretDigits(TabDocument& document, int t) {
    TabBlock& block = document.tabLines[t];
    size_t maxLen = 0;
    for (int l = 1; l < kLinesPerTab; ++l) maxLen = std::max(maxLen, block[l].size());
    if (maxLen <= 7) return;

    std::array<std::string, kLinesPerTab> result;
    std::array<std::string, kLinesPerTab> carry;
    for (size_t p = 0; p < maxLen; p += kCellWidth) {
        for (int l = 1; l < kLinesPerTab; ++l) {
            const std::string_view line = block[l];
            const std::string_view cell =
                p < line.size() ? line.substr(p, kCellWidth) : std::string_view();
            result[l] += RenderCell(cell, carry[l]);
        }
    }
    for (int l = 1; l < kLinesPerTab; ++l) block[l] = std::move(result[l]);
}

}  // namespace fretlux
