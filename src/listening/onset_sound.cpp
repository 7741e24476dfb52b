// SPDX-License-Identifier: MIT
#include "listening/onset_sound.h"

namespace fretlux {

std::vector<int> NotesBegun(const OnsetSound& sound, const std::vector<int>& expected) {
    return NotesBegun(sound.samples, sound.sampleRate, sound.onsets, expected);
}

}  // namespace fretlux
