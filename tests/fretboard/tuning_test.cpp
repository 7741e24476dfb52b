// SPDX-License-Identifier: MIT
// Pitches of fretboard positions and the names they are shown with.
#include "fretboard/tuning.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(TuningTest, StringsAreFourthsApartSaveTheBWhichIsAThirdAboveG) {
    const Tuning tuning;
    const int open[] = {0, 40, 45, 50, 55, 59, 64};
    for (int s = 1; s <= kStrings; ++s) EXPECT_EQ(tuning.Pitch(s, 0), open[s]) << s;
    EXPECT_EQ(tuning.Pitch(4, 4), 59);
    EXPECT_EQ(tuning.Pitch(6, 24), 88);
}

TEST(TuningTest, NamesSpellBbButSharpenEverythingElse) {
    const Tuning tuning;
    const char* const octave[] = {"E ", "F ", "F#", "G ", "G#", "A ",
                                  "Bb", "B ", "C ", "C#", "D ", "D#"};
    for (int note = 40; note <= 89; ++note) {
        EXPECT_EQ(tuning.NameOf(note), octave[(note - 40) % 12]) << "MIDI note " << note;
    }
}

}  // namespace
}  // namespace fretlux
