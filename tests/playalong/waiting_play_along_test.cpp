// SPDX-License-Identifier: MIT
#include "playalong/waiting_play_along.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

using State = WaitingPlayAlong::State;

// C major in the open position: C3 on the A string, E3 on the D string, C4 on the B string.
PlayAlongColumn OpenC() { return {1, 4, 0, {{2, 3}, {3, 2}, {5, 1}}}; }

HeardOnset Heard(std::vector<int> notes) { return {0.0, std::move(notes)}; }

TEST(WaitingPlayAlong, HoldsUntilEveryNoteIsPlayedShowsWrongNotesWhereHeardThenGoesOn) {
    WaitingPlayAlong wait;
    EXPECT_TRUE(wait.MayGoOn());
    wait.Expect(OpenC());
    EXPECT_EQ(wait.Current(), State::Holding);
    EXPECT_FALSE(wait.MayGoOn());
    EXPECT_EQ(wait.Expected(), OpenC().positions);

    // C#3 instead of C3: a fret too high on the A string.
    wait.Hear(Heard({49}));
    EXPECT_EQ(wait.WrongNotes(), (std::vector<FretPosition>{{2, 4}}));
    EXPECT_FALSE(wait.MayGoOn());

    // Two of the three notes, then a wrong one: the chord must be played again.
    wait.Hear(Heard({48, 52}));
    EXPECT_TRUE(wait.WrongNotes().empty());
    wait.Hear(Heard({59}));
    EXPECT_EQ(wait.WrongNotes(), (std::vector<FretPosition>{{5, 0}}));
    wait.Hear(Heard({60}));
    EXPECT_EQ(wait.Current(), State::Holding);

    // Arpeggiated from there, one note an onset, a note played twice on the way.
    wait.Hear(Heard({48}));
    wait.Hear(Heard({48}));
    EXPECT_EQ(wait.Current(), State::Holding);
    wait.Hear(Heard({52}));
    EXPECT_EQ(wait.Current(), State::Right);
    EXPECT_TRUE(wait.MayGoOn());
    // Right stays right however the string rings on, until the player moves.
    wait.Hear(Heard({61}));
    EXPECT_EQ(wait.Current(), State::Right);
    wait.Release();
    EXPECT_EQ(wait.Current(), State::Idle);

    wait.Expect({1, 6, 0, {{1, 0}}});
    wait.Hear(Heard({40}));
    EXPECT_EQ(wait.Current(), State::Right);
}

TEST(WaitingPlayAlong, AWrongNoteIsPlacedOnTheStringWhereTheHandMostLikelyWas) {
    struct Case {
        int heard;
        std::vector<FretPosition> expected;
        std::optional<FretPosition> placed;
    };
    const Case cases[] = {
        {57, {{4, 3}}, FretPosition{4, 2}},    // a fret short on the G string
        {57, {{2, 10}}, FretPosition{2, 12}},  // up the A string
        // No expected note on a string that sounds it: the fret nearest the hand.
        {45, {{6, 7}}, FretPosition{1, 5}},
        {44, {{1, 0}}, FretPosition{1, 4}},
        {39, {{1, 0}}, std::nullopt},  // below the low E string
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceHeardNote(c.heard, c.expected), c.placed) << c.heard;
    }
}

}  // namespace
}  // namespace fretlux
