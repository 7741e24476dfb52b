// SPDX-License-Identifier: MIT
#include "input/midi_chords.h"

#include <algorithm>

namespace fretlux {

void MidiChords::Add(const MidiNoteOn& noteOn) {
    if (open_.empty() || noteOn.when - open_.back().when > kStrumSpan) {
        open_.push_back({noteOn.when, {}});
    }
    open_.back().notes.push_back(noteOn.note);
}

std::vector<MidiChord> MidiChords::TakeComplete(std::chrono::steady_clock::time_point now) {
    const auto open = std::find_if(open_.begin(), open_.end(), [&](const MidiChord& chord) {
        return now - chord.when <= kStrumSpan;
    });
    std::vector<MidiChord> complete(std::make_move_iterator(open_.begin()),
                                    std::make_move_iterator(open));
    open_.erase(open_.begin(), open);
    return complete;
}

}  // namespace fretlux
