// SPDX-License-Identifier: MIT
#include "playalong/play_along_session.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(PlayAlongSession, WaitHoldsAtAColumnUntilItIsPlayedThenShowsItGreenBeforeGoingOn) {
    BestScores best;
    PlayAlongSession session(PlayAlongMode::Wait, "riff.tab", best);
    const PlayAlongColumn g{1, 2, 0, {{1, 3}}};  // G2 on the low E string
    EXPECT_FALSE(session.MayPass(g, 0));
    EXPECT_EQ(session.Waiting().Expected(), g.positions);
    session.Hear({0.0, {44}}, 400);
    EXPECT_EQ(session.Waiting().WrongNotes(), (std::vector<FretPosition>{{1, 4}}));
    EXPECT_FALSE(session.MayPass(g, 500));
    session.Hear({0.0, {43}}, 1000);
    EXPECT_EQ(session.Waiting().Current(), WaitingPlayAlong::State::Right);
    EXPECT_FALSE(session.MayPass(g, 1000 + PlayAlongSession::kGreenMs - 1));
    EXPECT_TRUE(session.MayPass(g, 1000 + PlayAlongSession::kGreenMs));
    // The same column again, as a loop comes back to it: it must be played again.
    EXPECT_FALSE(session.MayPass(g, 2000));
}

TEST(PlayAlongSession, ScoreSummarisesEachPassAndNamesTheTabsWithANewBest) {
    BestScores best;
    PlayAlongSession session(PlayAlongMode::Score, "riff.tab", best);
    const auto playPass = [&](std::vector<double> onsets) {
        for (int i = 0; i < 3; ++i) {
            session.Sounded({1, 2 * i, 500 * i, {{2, 0}}});
            if (onsets[i] >= 0) session.Hear({500.0 * i + onsets[i], {45}}, 0);
        }
        session.Advance(550.0);
        EXPECT_EQ(session.Marks().size(), 1u);
        return session.EndPass();
    };
    EXPECT_EQ(playPass({10, 30, -1}),
              "2 of 3 columns right, 0 wrong, 1 missed. Timing: 20 ms late on average, "
              "spread 10 ms.\nA new best for TAB 1.");
    EXPECT_TRUE(session.Marks().empty());
    EXPECT_EQ(session.LastPass().size(), 3u);
    EXPECT_EQ(playPass({-1, -1, 5}),
              "1 of 3 columns right, 0 wrong, 2 missed. Timing: 5 ms late on average, spread 0 "
              "ms.");
    EXPECT_EQ(best.Best("riff.tab", 1)->right, 2);
    EXPECT_EQ(session.EndPass(), "");
}

}  // namespace
}  // namespace fretlux
