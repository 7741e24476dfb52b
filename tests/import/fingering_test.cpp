// SPDX-License-Identifier: MIT
// The fingering rule on its own: pitches onto the standard-tuned strings.
#include "import/fingering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

namespace fretlux {
namespace {

constexpr std::array<int, 6> kOpen{64, 59, 55, 50, 45, 40};  // lines 1..6

struct ChordCase {
    const char* name;
    std::vector<int> pitches;
    std::vector<StringFret> expected;  // in the order of the pitches
};

TEST(Fingering, PlacesChordsWhereAGuitaristPlaysThem) {
    const std::vector<ChordCase> cases = {
        {"open low E", {40}, {{6, 0}}},
        {"the 24th fret of the high E string", {88}, {{1, 24}}},
        {"open C major", {48, 52, 55, 60, 64}, {{5, 3}, {4, 2}, {3, 0}, {2, 1}, {1, 0}}},
        {"unison on two strings", {64, 64}, {{1, 0}, {2, 5}}},
    };
    for (const ChordCase& chord : cases) {
        Fingering fingering;
        const auto places = fingering.Place(chord.pitches);
        ASSERT_EQ(places.size(), chord.expected.size()) << chord.name;
        for (size_t i = 0; i < places.size(); ++i) {
            ASSERT_TRUE(places[i]) << chord.name;
            EXPECT_EQ(places[i]->line, chord.expected[i].line) << chord.name << " note " << i;
            EXPECT_EQ(places[i]->fret, chord.expected[i].fret) << chord.name << " note " << i;
        }
    }
}

TEST(Fingering, EveryChordOfUpToSixNotesKeepsItsPitchesOnDifferentStringsWithinAHandSpan) {
    // Chords a hand can play: the pitches of six strings fretted anywhere within five frets.
    for (int base = 0; base <= 20; ++base) {
        for (int shape = 0; shape < 64; ++shape) {
            std::vector<int> pitches;
            for (int l = 0; l < 6; ++l)
                pitches.push_back(kOpen[static_cast<size_t>(l)] + base + (shape >> l & 1) * 2 +
                                  l % 3);
            std::sort(pitches.begin(), pitches.end());
            pitches.erase(std::unique(pitches.begin(), pitches.end()), pitches.end());
            Fingering fingering;
            const auto places = fingering.Place(pitches);
            std::set<int> lines;
            int low = 99, high = 0;
            for (size_t i = 0; i < places.size(); ++i) {
                ASSERT_TRUE(places[i]);
                EXPECT_EQ(kOpen[static_cast<size_t>(places[i]->line - 1)] + places[i]->fret,
                          pitches[i]);
                lines.insert(places[i]->line);
                if (places[i]->fret == 0) continue;
                low = std::min(low, places[i]->fret);
                high = std::max(high, places[i]->fret);
            }
            EXPECT_EQ(lines.size(), pitches.size());
            EXPECT_LE(high - (low == 99 ? high : low), 4) << "base " << base << " shape " << shape;
        }
    }
}

TEST(Fingering, StaysNearWhereTheHandIs) {
    Fingering fingering;
    fingering.Place({69});  // A on the high E string's 5th fret
    const auto c = fingering.Place({60});
    ASSERT_TRUE(c[0]);
    EXPECT_EQ(c[0]->line, 3);  // the G string's 5th fret, not the B string's 1st
    EXPECT_EQ(c[0]->fret, 5);
}

TEST(Fingering, LeavesOutWhatNoStringCanTake) {
    Fingering fingering;
    const auto places = fingering.Place({40, 45, 50, 55, 59, 64, 69});
    EXPECT_EQ(std::count_if(places.begin(), places.end(), [](const auto& p) { return !p; }), 1);
}

TEST(Fingering, MovesPitchesByOctavesIntoTheGuitarsRange) {
    EXPECT_EQ(PitchInGuitarRange(28), 40);
    EXPECT_EQ(PitchInGuitarRange(39), 51);
    EXPECT_EQ(PitchInGuitarRange(64), 64);
    EXPECT_EQ(PitchInGuitarRange(89), 77);
    EXPECT_EQ(PitchInGuitarRange(100), 88);
}

}  // namespace
}  // namespace fretlux
