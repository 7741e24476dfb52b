// SPDX-License-Identifier: MIT
#include "lesson_builder/readable_columns.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace fretlux::lessons {

namespace {

constexpr std::size_t kMaxColumns = 78;
// Three columns for every one always suffice: a note, the second digit of its fret, an empty one.
constexpr int kMostSpread = 3;
constexpr std::string_view kEmptyCell = "-    ";

bool HoldsNote(const std::string& cell) { return cell[1] >= 'A'; }

int DigitCount(const std::string& cell) { return cell[1] - 'A' >= 10 ? 2 : 1; }

bool HoldsAnyNote(const Column& column) {
    for (int l = 1; l <= 6; ++l) {
        if (HoldsNote(column[l])) return true;
    }
    return false;
}

// Every column followed by factor - 1 empty ones; bar lines take no time and stay single.
std::vector<Column> Spread(const std::vector<Column>& columns, int factor) {
    Column empty;
    for (int l = 1; l <= 6; ++l) empty[l] = kEmptyCell;
    std::vector<Column> spread;
    for (const Column& column : columns) {
        spread.push_back(column);
        if (IsBarColumn(column)) continue;
        for (int n = 1; n < factor; ++n) spread.push_back(empty);
    }
    return spread;
}

// Where the TAB that starts at column start ends: after the last bar line in its second half,
// else before its last column with a note, so that no note loses its second digit.
std::size_t TabEnd(const std::vector<Column>& columns, std::size_t start) {
    const std::size_t limit = start + kMaxColumns;
    for (std::size_t end = limit; end > start + kMaxColumns / 2; --end) {
        if (IsBarColumn(columns[end - 1])) return end;
    }
    for (std::size_t end = limit; end > start + 1; --end) {
        if (HoldsAnyNote(columns[end])) return end;
    }
    throw std::runtime_error("no place to go on in a second TAB");
}

}  // namespace

bool DigitsStandApart(const std::vector<Column>& columns) {
    for (int l = 1; l <= 6; ++l) {
        std::size_t freeFrom = 0;  // the first column where a note's digit may stand
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::string& cell = columns[c][l];
            if (!HoldsNote(cell)) continue;
            if (c < freeFrom) return false;
            const int digits = DigitCount(cell);
            // The second digit shows in the next cell, which must have nothing of its own.
            if (digits == 2 && (c + 1 == columns.size() || columns[c + 1][l] != kEmptyCell)) {
                return false;
            }
            freeFrom = c + digits + 1;
        }
    }
    return true;
}

ReadableMusic MakeReadable(const std::vector<Column>& columns, int tempo) {
    for (int factor = 1; factor <= kMostSpread; ++factor) {
        const std::vector<Column> spread = Spread(columns, factor);
        if (!DigitsStandApart(spread)) continue;
        ReadableMusic music{{}, std::max(1, (2 * tempo + factor) / (2 * factor))};
        std::size_t start = 0;
        while (spread.size() - start > kMaxColumns) {
            const std::size_t end = TabEnd(spread, start);
            music.tabs.emplace_back(spread.begin() + start, spread.begin() + end);
            start = end;
        }
        music.tabs.emplace_back(spread.begin() + start, spread.end());
        return music;
    }
    throw std::runtime_error("notes too close to read even when spread");
}

}  // namespace fretlux::lessons
