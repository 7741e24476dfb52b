// SPDX-License-Identifier: MIT
#include "playback/beat_grid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fretlux {
namespace {

// A TAB's columns written as one line: "|" a bar column, anything else a column of the bars.
std::vector<bool> BarColumns(const std::string& columns) {
    std::vector<bool> bars;
    for (const char c : columns) bars.push_back(c == '|');
    return bars;
}

// The clicks of the ticks that play each column: 'A' opens a bar, 'b' another beat, '.' none.
std::string Clicks(const BeatGrid& grid, int columns) {
    std::string clicks;
    for (int c = 0; c < columns; ++c) {
        const Click click = grid.ClickAt(c);
        clicks += click == Click::BarStart ? 'A' : click == Click::Beat ? 'b' : '.';
    }
    return clicks;
}

TEST(BeatGrid, TheBeatLengthComesFromTheFirstWholeBar) {
    struct Case {
        const char* columns;
        BeatSettings settings;
        int columnsPerBeat;
    };
    const Case cases[] = {
        {"|--------|--------|", {}, 2},
        {"|------|------|", {3, {}}, 2},
        // A pickup bar is open on the left: the bar after it is measured.
        {"---|--------|--------|", {}, 2},
        // A double bar line encloses no bar.
        {"||------------||", {}, 3},
        // No bar closed on both sides: the columns before the first bar line.
        {"------------|", {}, 3},
        {"|------------", {}, 4},
        {"------------", {}, 4},
        // Rounded half to even, and at least one column.
        {"|----------|", {}, 2},
        {"|--|", {}, 1},
        {"|--------------|", {}, 4},
        // A fixed beat length wins over the bars.
        {"|--------|", {4, 3}, 3},
        {"------", {12, 16}, 16},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BeatGrid(BarColumns(c.columns), c.settings).ColumnsPerBeat(), c.columnsPerBeat)
            << c.columns;
    }
}

TEST(BeatGrid, BeatsCountTheColumnsBetweenBarLinesAndBarsGroupThem) {
    const std::string twoBars = "|--------|--------|";
    EXPECT_EQ(Clicks(BeatGrid(BarColumns(twoBars), {}), 19), ".A.b.b.b..A.b.b.b..");
    // Three beats a bar of fixed single columns: the accent follows the beat count, not the
    // bar lines.
    EXPECT_EQ(Clicks(BeatGrid(BarColumns(twoBars), {3, 1}), 19), ".AbbAbbAb.bAbbAbbA.");
    EXPECT_EQ(Clicks(BeatGrid(BarColumns("---|----|"), {2, 2}), 9), "A.b..A.b.");
}

}  // namespace
}  // namespace fretlux
