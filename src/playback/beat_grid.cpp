// SPDX-License-Identifier: MIT
#include "playback/beat_grid.h"

#include <algorithm>

#include "document/rounding.h"

namespace fretlux {

namespace {

// The columns of the first bar closed by bar columns on both sides; else those before the first
// bar column; else none.
int MeasuredBarColumns(const std::vector<bool>& barColumns) {
    const auto firstBar = std::find(barColumns.begin(), barColumns.end(), true);
    if (firstBar == barColumns.end()) return 0;
    for (auto opening = firstBar; opening != barColumns.end();) {
        const auto closing = std::find(opening + 1, barColumns.end(), true);
        if (closing == barColumns.end()) break;
        if (closing - opening > 1) return static_cast<int>(closing - opening - 1);
        opening = closing;
    }
    return static_cast<int>(std::count(barColumns.begin(), firstBar, false));
}

int MeasuredColumnsPerBeat(const std::vector<bool>& barColumns, int beatsPerBar) {
    const int barLength = MeasuredBarColumns(barColumns);
    if (barLength == 0) return kColumnsPerBeatWithoutBars;
    return std::max(1, RoundHalfEven(static_cast<double>(barLength) / beatsPerBar));
}

}  // namespace

Click ClickAtPosition(int position, int columnsPerBeat, int beatsPerBar) {
    if (position < 0 || position % columnsPerBeat != 0) return Click::None;
    return (position / columnsPerBeat) % beatsPerBar == 0 ? Click::BarStart : Click::Beat;
}

BeatGrid::BeatGrid(const std::vector<bool>& barColumns, const BeatSettings& settings)
    : columnsPerBeat_(settings.columnsPerBeat ? std::clamp(*settings.columnsPerBeat,
                                                           kMinColumnsPerBeat, kMaxColumnsPerBeat)
                                              : 0),
      beatsPerBar_(std::clamp(settings.beatsPerBar, kMinBeatsPerBar, kMaxBeatsPerBar)) {
    if (columnsPerBeat_ == 0) columnsPerBeat_ = MeasuredColumnsPerBeat(barColumns, beatsPerBar_);
    int position = 0;
    for (const bool bar : barColumns) positions_.push_back(bar ? -1 : position++);
}

Click BeatGrid::ClickAt(int column) const {
    if (column < 0 || column >= static_cast<int>(positions_.size())) return Click::None;
    return ClickAtPosition(positions_[column], columnsPerBeat_, beatsPerBar_);
}

}  // namespace fretlux
