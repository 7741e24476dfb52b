// SPDX-License-Identifier: MIT
#include "listening/pitch_names.h"

#include <array>
#include <cmath>

namespace fretlux {

namespace {

constexpr std::array<int, 6> kOpenStringsLowToHigh{40, 45, 50, 55, 59, 64};

}  // namespace

double FrequencyOfNote(double midiNote) { return 440.0 * std::exp2((midiNote - 69.0) / 12.0); }

double NoteOfFrequency(double hertz) { return 69.0 + 12.0 * std::log2(hertz / 440.0); }

NearestNote NearestNoteOf(double hertz) {
    const double note = NoteOfFrequency(hertz);
    const int midi = static_cast<int>(std::lround(note));
    return {midi, 100.0 * (note - midi)};
}

int NearestOpenString(double midiNote) {
    int nearest = 0;
    for (int i = 1; i < static_cast<int>(kOpenStringsLowToHigh.size()); ++i) {
        // Strictly nearer only, so that a tie keeps the lower string.
        if (std::fabs(midiNote - kOpenStringsLowToHigh[i]) <
            std::fabs(midiNote - kOpenStringsLowToHigh[nearest])) {
            nearest = i;
        }
    }
    return 6 - nearest;
}

}  // namespace fretlux
