// SPDX-License-Identifier: MIT
#include "playalong/best_scores.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

ColumnJudgement Judged(int tab, Verdict verdict, std::optional<std::int64_t> offset = {}) {
    ColumnJudgement judgement;
    judgement.expected.tab = tab;
    judgement.verdict = verdict;
    judgement.offsetMs = offset;
    return judgement;
}

TEST(BestScores, KeepsPerFileAndTabTheMostRightColumnsThenTheSteadierTiming) {
    const std::string song = "/home/student/tabs/my song.flx";
    BestScores scores;
    EXPECT_EQ(scores.Best(song, 1), nullptr);
    // TAB 1: 1 of 2 right; TAB 2: 2 of 2 right, 10 and 30 ms late.
    EXPECT_EQ(scores.Offer(song, {Judged(1, Verdict::Right, 5), Judged(1, Verdict::Missed),
                                  Judged(2, Verdict::Right, 10), Judged(2, Verdict::Right, 30)}),
              (std::vector<int>{1, 2}));
    EXPECT_EQ(*scores.Best(song, 2), (BestScores::Score{2, 2, 20.0, 10.0}));

    // Worse on TAB 1, the same share on TAB 2 with steadier timing.
    EXPECT_EQ(scores.Offer(song, {Judged(1, Verdict::Wrong, 0), Judged(1, Verdict::Missed),
                                  Judged(2, Verdict::Right, 12), Judged(2, Verdict::Right, 14)}),
              std::vector<int>{2});
    EXPECT_EQ(*scores.Best(song, 1), (BestScores::Score{2, 1, 5.0, 0.0}));
    EXPECT_EQ(*scores.Best(song, 2), (BestScores::Score{2, 2, 13.0, 1.0}));
    // A shorter pass with a higher share wins; another file is kept apart.
    EXPECT_EQ(scores.Offer(song, {Judged(1, Verdict::Right, -4)}), std::vector<int>{1});
    EXPECT_EQ(scores.Offer("other.tab", {Judged(1, Verdict::Missed)}), std::vector<int>{1});

    const BestScores kept = BestScores::FromText(scores.Text() + "not a score\n7 1 x\n");
    for (const auto& [file, tab] : {std::pair{song, 1}, {song, 2}, {std::string("other.tab"), 1}}) {
        ASSERT_NE(kept.Best(file, tab), nullptr) << file << tab;
        EXPECT_EQ(*kept.Best(file, tab), *scores.Best(file, tab)) << file << tab;
    }
    EXPECT_EQ(kept.Text(), scores.Text());
}

}  // namespace
}  // namespace fretlux
