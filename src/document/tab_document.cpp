// SPDX-License-Identifier: MIT
#include "document/tab_document.h"

#include "document/tab_cell.h"

namespace fretlux {

void TabDocument::Clear() {
    for (int t = 0; t < tabCount; ++t) {
        for (std::string& line : tabLines[t]) line.clear();
        tabTexts[t].clear();
    }
    tabCount = 0;
}

void TabDocument::MakeBlankTab(int t) {
    tabLines[t][0] = std::string(kBlankHeaderLength, ' ');
    for (int l = 1; l < kLinesPerTab; ++l) tabLines[t][l] = BlankStringLine(l);
    tabTexts[t].clear();
}

void TabDocument::CopyTab(int from, int to) {
    tabLines[to] = tabLines[from];
    tabTexts[to] = tabTexts[from];
}

}  // namespace fretlux
