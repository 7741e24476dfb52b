// SPDX-License-Identifier: MIT
#include "input/midi_chords.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

using std::chrono::milliseconds;

TEST(MidiChords, NoteOnsWithinTheStrumSpanOfAChordsFirstNoteAreOneOnset) {
    const std::chrono::steady_clock::time_point start;
    MidiChords chords;
    // A strum over 40 ms, then a single note 41 ms after the strum's last string.
    for (const auto& [ms, note] : {std::pair{0, 40}, {15, 47}, {40, 52}, {81, 55}}) {
        chords.Add({note, 0, start + milliseconds(ms)});
    }
    EXPECT_TRUE(chords.TakeComplete(start + milliseconds(40)).empty());
    const std::vector<MidiChord> strum = chords.TakeComplete(start + milliseconds(41));
    ASSERT_EQ(strum.size(), 1u);
    EXPECT_EQ(strum[0].when, start);
    EXPECT_EQ(strum[0].notes, (std::vector<int>{40, 47, 52}));
    const std::vector<MidiChord> single = chords.TakeComplete(start + milliseconds(500));
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].notes, std::vector<int>{55});
    EXPECT_TRUE(chords.TakeComplete(start + milliseconds(900)).empty());
}

}  // namespace
}  // namespace fretlux
