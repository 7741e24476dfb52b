// SPDX-License-Identifier: MIT
// The Beats window as a presentation model: the beats per bar, and the columns per beat, either
// measured from the shown TAB's bar lines or fixed for the document.
#pragma once

#include <optional>
#include <vector>

#include "playback/beat_grid.h"

namespace fretlux {

inline constexpr const char* kBeatsCaption = "Beats";

class BeatsForm {
public:
    // barColumns: the shown TAB's columns, true for a bar column.
    BeatsForm(const BeatSettings& current, std::vector<bool> barColumns);

    int BeatsPerBar() const { return settings_.beatsPerBar; }
    void SetBeatsPerBar(int beats);
    // Whether the columns per beat are fixed; the columns box is greyed out while they are not.
    bool FixedColumns() const { return settings_.columnsPerBeat.has_value(); }
    // Fixing them starts from what the bar lines give.
    void SetFixedColumns(bool fixed);
    // What the columns box shows: the fixed number, or the shown TAB's measured one.
    int ColumnsPerBeat() const;
    // Only while they are fixed.
    void SetColumnsPerBeat(int columns);

    void Accept() { result_ = settings_; }
    // The settings OK chose; nothing when the window was cancelled or closed otherwise.
    const std::optional<BeatSettings>& Result() const { return result_; }

private:
    BeatSettings settings_;
    std::vector<bool> barColumns_;
    std::optional<BeatSettings> result_;
};

}  // namespace fretlux
