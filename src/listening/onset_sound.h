// SPDX-License-Identifier: MIT
// The sound around one onset of live input, kept so that what began there can be judged against
// the notes the student should play once it is known which column the onset belongs to: a
// listener that knows the expected notes hears chords it could not name blind.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "listening/column_hearing.h"

namespace fretlux {

// When an onset of live input is heard, in seconds after it: first soon, so that a note can be
// judged at once (long enough to tell it from one a semitone off), again as a strum's later
// strings come in (they follow each other for up to 40 ms), and last whole, as long after it as
// a take's judging looks.
inline constexpr std::array kHearingSeconds{0.04, 0.055, 0.07, 0.085, 0.1, 0.175};

struct OnsetSound {
    std::int64_t onsetSample = 0;  // the onset, counted from the first sample of the input
    int sampleRate = 0;
    std::vector<float> samples;  // from a moment before the onset to a moment after it
    OnsetGroup onsets;           // sample indices into samples
    // Whether samples reach the last of kHearingSeconds, or the next onset; the earlier
    // hearings are not whole.
    bool whole = true;
};

// The MIDI notes that began at the onset, ascending: those of expected heard, and any others, on
// a guitar tuned offsetCents from concert pitch.
std::vector<int> NotesBegun(const OnsetSound& sound, const std::vector<int>& expected,
                            double offsetCents = 0.0);

}  // namespace fretlux
