// SPDX-License-Identifier: MIT
#include "playback/beats_form.h"

#include <algorithm>

namespace fretlux {

BeatsForm::BeatsForm(const BeatSettings& current, std::vector<bool> barColumns)
    : settings_(current), barColumns_(std::move(barColumns)) {}

void BeatsForm::SetBeatsPerBar(int beats) {
    settings_.beatsPerBar = std::clamp(beats, kMinBeatsPerBar, kMaxBeatsPerBar);
}

void BeatsForm::SetFixedColumns(bool fixed) {
    if (fixed == FixedColumns()) return;
    settings_.columnsPerBeat = fixed ? std::optional<int>(ColumnsPerBeat()) : std::nullopt;
}

int BeatsForm::ColumnsPerBeat() const { return BeatGrid(barColumns_, settings_).ColumnsPerBeat(); }

void BeatsForm::SetColumnsPerBeat(int columns) {
    if (!FixedColumns()) return;
    settings_.columnsPerBeat = std::clamp(columns, kMinColumnsPerBeat, kMaxColumnsPerBeat);
}

}  // namespace fretlux
