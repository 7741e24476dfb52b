// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <vector>

#include "input/midi_note_input.h"

namespace fretlux {

// Note-ons that began together: a strummed chord's strings reach a MIDI guitar's pickup a few
// milliseconds apart, and are heard as one onset.
struct MidiChord {
    std::chrono::steady_clock::time_point when;  // its first note's
    std::vector<int> notes;
};

class MidiChords {
public:
    // Notes this close after a chord's first note belong to it.
    static constexpr std::chrono::milliseconds kStrumSpan{40};

    void Add(const MidiNoteOn& noteOn);
    // The chords complete by now: their strum span has passed.
    std::vector<MidiChord> TakeComplete(std::chrono::steady_clock::time_point now);

private:
    std::vector<MidiChord> open_;
};

}  // namespace fretlux
