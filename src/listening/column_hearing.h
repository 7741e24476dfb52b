// SPDX-License-Identifier: MIT
// What began at one column's onsets, judged by a listener that knows what should be played: the
// spectrum just after the onsets is compared with the one just before, so that notes still
// ringing from earlier columns do not count. An expected note began when its partials rose, or,
// plucked again while it still rang, when they no longer carry on the old vibration; a note that
// was not expected began when a pitch heard there (single notes), or strong partials that no
// expected note explains (chords), rose too.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace fretlux {

struct OnsetGroup {
    std::size_t since = 0;  // where the sound before began: the previous onset, or 0
    std::size_t first = 0;  // the earliest onset of the column, a sample index
    std::size_t last = 0;   // its latest, the same for a single onset
    std::size_t until = 0;  // where the next onset is, or the take ends
    // Heard only by a keen ear where a column expected notes: the fading of what rang can pass
    // for such an onset, so anything begins there only when new energy clearly rose.
    bool faint = false;
    // Whether the sound grew louder there. Where it did not, as through an overdriven amplifier
    // that holds the sound at one level, notes begin only where much of what sounds is new, or a
    // single note where it was struck again and is nearly all that sounds.
    bool louder = true;
};

// The MIDI notes that began, ascending: those of expected heard, and any others heard.
std::vector<int> NotesBegun(std::span<const float> samples, int sampleRate,
                            const OnsetGroup& onsets, const std::vector<int>& expected);

}  // namespace fretlux
