// SPDX-License-Identifier: MIT
#include "document/wide_tab_split.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "document/tab_cell.h"

namespace fretlux {

namespace {

// A piece never ends on a bar line before this column of its own, so pieces stay wide enough.
constexpr int kEarliestBarEnd = 39;

size_t ColumnCount(std::string_view line) {
    return line.size() <= kCellWidth ? 0 : (line.size() - kCellWidth) / kCellWidth;
}

size_t WidestColumnCount(const TabBlock& block) {
    size_t widest = 0;
    for (int l = 1; l < kLinesPerTab; ++l) widest = std::max(widest, ColumnCount(block[l]));
    return widest;
}

bool IsWide(const TabBlock& block) {
    for (int l = 1; l < kLinesPerTab; ++l) {
        if (block[l].size() > kWidestUnsplitLine) return true;
    }
    return false;
}

bool IsBarOnEveryLine(const TabBlock& block, size_t column) {
    const size_t symbol = kCellWidth * (column + 1);
    for (int l = 1; l < kLinesPerTab; ++l) {
        if (symbol >= block[l].size() || block[l][symbol] != '|') return false;
    }
    return true;
}

// The last column of the piece starting at start: the last bar line on every line from start +
// 39 to start + 77, so that a bar stays with the piece it closes, else start + 77.
size_t PieceEnd(const TabBlock& block, size_t start) {
    const size_t last = start + kColumnsPerTab - 1;
    for (size_t c = last; c >= start + kEarliestBarEnd; --c) {
        if (IsBarOnEveryLine(block, c)) return c;
    }
    return last;
}

// The first column of every piece, in order.
std::vector<size_t> PieceStarts(const TabBlock& block) {
    const size_t widest = WidestColumnCount(block);
    std::vector<size_t> starts{0};
    for (size_t end = PieceEnd(block, 0); end + 1 < widest; end = PieceEnd(block, end + 1)) {
        starts.push_back(end + 1);
    }
    return starts;
}

TabBlock Piece(const TabBlock& block, size_t start, size_t end) {
    TabBlock piece;
    for (int l = 1; l < kLinesPerTab; ++l) {
        const std::string_view line = block[l];
        piece[l] = line.substr(0, kCellWidth);
        const size_t from = kCellWidth * (start + 1);
        if (from < line.size()) piece[l] += line.substr(from, kCellWidth * (end - start + 1));
    }
    return piece;
}

}  // namespace

void SplitWideTabs(TabDocument& document) {
    std::vector<TabBlock> blocks;
    std::vector<std::string> texts;
    bool splitting = true;
    for (int t = 0; t < document.tabCount; ++t) {
        TabBlock& block = document.tabLines[t];
        std::vector<size_t> starts;
        if (splitting && IsWide(block)) {
            starts = PieceStarts(block);
            const size_t tabsAfterSplit =
                blocks.size() + starts.size() + (document.tabCount - t - 1);
            splitting = tabsAfterSplit <= kMaxTabs;
        }
        if (!splitting || starts.empty()) {
            blocks.push_back(std::move(block));
            texts.push_back(std::move(document.tabTexts[t]));
            continue;
        }
        for (size_t p = 0; p < starts.size(); ++p) {
            const size_t end =
                p + 1 < starts.size() ? starts[p + 1] - 1 : WidestColumnCount(block) - 1;
            blocks.push_back(Piece(block, starts[p], end));
            texts.emplace_back();
        }
        blocks[blocks.size() - starts.size()][0] = std::move(block[0]);
        texts[texts.size() - starts.size()] = std::move(document.tabTexts[t]);
    }
    document.tabCount = static_cast<int>(blocks.size());
    for (int t = 0; t < document.tabCount; ++t) {
        document.tabLines[t] = std::move(blocks[t]);
        document.tabTexts[t] = std::move(texts[t]);
    }
}

}  // namespace fretlux
