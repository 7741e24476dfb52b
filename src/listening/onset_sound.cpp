// SPDX-License-Identifier: MIT
#include "listening/onset_sound.h"

#include "listening/tuning_offset.h"

namespace fretlux {

std::vector<int> NotesBegun(const OnsetSound& sound, const std::vector<int>& expected,
                            double offsetCents) {
    return NotesBegun(sound.samples, RateHeardInTune(sound.sampleRate, offsetCents), sound.onsets,
                      expected);
}

}  // namespace fretlux
