// SPDX-License-Identifier: MIT
// Where a TAB's beats fall. Bar columns stand outside the beats: the grid counts the other
// columns only, from the TAB's first one on, so a bar line costs no part of a beat.
#pragma once

#include <optional>
#include <vector>

namespace fretlux {

inline constexpr int kMinBeatsPerBar = 2;
inline constexpr int kMaxBeatsPerBar = 12;
inline constexpr int kDefaultBeatsPerBar = 4;
inline constexpr int kMinColumnsPerBeat = 1;
inline constexpr int kMaxColumnsPerBeat = 16;
// A TAB without a bar line to measure.
inline constexpr int kColumnsPerBeatWithoutBars = 4;

struct BeatSettings {
    int beatsPerBar = kDefaultBeatsPerBar;
    // Fixed for the document; else each TAB's bar lines give it.
    std::optional<int> columnsPerBeat;

    friend bool operator==(const BeatSettings&, const BeatSettings&) = default;
};

// What a metronome sounds at a column or a tick.
enum class Click { None, BarStart, Beat };

// The click of the position-th column of a grid (0-based): a beat every columnsPerBeat columns,
// the first of every beatsPerBar beats opening a bar.
Click ClickAtPosition(int position, int columnsPerBeat, int beatsPerBar);

class BeatGrid {
public:
    // barColumns[c] tells whether column c of the TAB is a bar column.
    BeatGrid(const std::vector<bool>& barColumns, const BeatSettings& settings);

    int ColumnsPerBeat() const { return columnsPerBeat_; }
    int BeatsPerBar() const { return beatsPerBar_; }
    // The click of the tick that plays the column; a bar column and a column beyond the TAB
    // have none.
    Click ClickAt(int column) const;

private:
    // Per column its place in the grid, -1 for a bar column.
    std::vector<int> positions_;
    int columnsPerBeat_;
    int beatsPerBar_;
};

}  // namespace fretlux
