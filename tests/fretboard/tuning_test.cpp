// SPDX-License-Identifier: MIT
// Pitches of fretboard positions and the names they are shown with.
#include "fretboard/tuning.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(TuningTest, PitchRunsFromTheLowOpenStringToTheTopFret) {
    const Tuning tuning;
    EXPECT_EQ(tuning.Pitch(1, 0), 40);
    EXPECT_EQ(tuning.Pitch(6, 24), 88);
    EXPECT_EQ(tuning.NameOf(40), "E ");
    EXPECT_EQ(tuning.NameOf(88), "E ");
}

TEST(TuningTest, TheBStringIsFourSemitonesAboveG) {
    const Tuning tuning;
    EXPECT_EQ(tuning.Pitch(5, 0), 59);
    EXPECT_EQ(tuning.Pitch(4, 4), 59);
    EXPECT_EQ(tuning.NameOf(59), "B ");
    EXPECT_EQ(tuning.Pitch(2, 0) - tuning.Pitch(1, 0), 5);
    EXPECT_EQ(tuning.Pitch(6, 0) - tuning.Pitch(5, 0), 5);
}

TEST(TuningTest, NamesSpellBbButSharpenEverythingElse) {
    const Tuning tuning;
    EXPECT_EQ(tuning.NameOf(tuning.Pitch(2, 1)), "Bb");
    EXPECT_EQ(tuning.NameOf(tuning.Pitch(3, 4)), "F#");
    EXPECT_EQ(tuning.NameOf(89), "F ");
    const char* const octave[] = {"E ", "F ", "F#", "G ", "G#", "A ",
                                  "Bb", "B ", "C ", "C#", "D ", "D#"};
    for (int j = 0; j < 12; ++j) {
        EXPECT_EQ(tuning.NameOf(52 + j), octave[j]) << "MIDI note " << 52 + j;
    }
}

}  // namespace
}  // namespace fretlux
