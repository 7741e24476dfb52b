// SPDX-License-Identifier: MIT
#include "playalong/scored_play_along.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

PlayAlongColumn Column(int column, std::int64_t ms, std::vector<FretPosition> positions) {
    return {2, column, ms, std::move(positions)};
}

TEST(ScoredPlayAlong, EachColumnIsJudgedOnceNothingLaterCanChangeItThenTheSummary) {
    ScoredPlayAlong score;
    // Open A, then the D string's E, then a G on the high E string, then an A minor chord
    // (A2 E3 A3 C4), half a second apart.
    score.Expect(Column(0, 0, {{2, 0}}));
    score.Expect(Column(3, 500, {{3, 2}}));
    score.Expect(Column(6, 1000, {{6, 3}}));
    score.Expect(Column(9, 1500, {{2, 0}, {3, 2}, {4, 2}, {5, 1}}));
    score.Hear({12.0, {45}});    // right, 12 ms late
    score.Hear({480.0, {53}});   // F3 for E3, 20 ms early
    score.Hear({1250.0, {60}});  // a quarter second from both columns: belongs to none
    // The chord strummed: two onsets 15 ms apart, its last string 30 ms after its first.
    score.Hear({1530.0, {45, 52}});
    score.Hear({1545.0, {57, 60}});

    EXPECT_TRUE(score.JudgeUntil(99.0).empty());
    const std::vector<ColumnJudgement> first = score.JudgeUntil(100.0);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].verdict, Verdict::Right);
    EXPECT_EQ(first[0].offsetMs, 12);
    EXPECT_EQ(first[0].expected.tab, 2);
    EXPECT_EQ(first[0].expected.notes, std::vector<int>{45});

    const std::vector<ColumnJudgement> next = score.JudgeUntil(1300.0);
    ASSERT_EQ(next.size(), 2u);
    EXPECT_EQ(next[0].verdict, Verdict::Wrong);
    EXPECT_EQ(next[0].heard, std::vector<int>{53});
    EXPECT_EQ(next[0].offsetMs, -20);
    EXPECT_EQ(next[1].verdict, Verdict::Missed);
    EXPECT_EQ(next[1].offsetMs, std::nullopt);

    const std::vector<ColumnJudgement> last = score.Finish();
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].verdict, Verdict::Right);
    EXPECT_EQ(last[0].heard, (std::vector<int>{45, 52, 57, 60}));
    EXPECT_EQ(last[0].offsetMs, 30);

    std::vector<ColumnJudgement> all = first;
    all.insert(all.end(), next.begin(), next.end());
    all.insert(all.end(), last.begin(), last.end());
    const TakeSummary summary = Summarise(all);
    EXPECT_EQ(summary.columns, 4);
    EXPECT_EQ(summary.right, 2);
    EXPECT_EQ(summary.wrong, 1);
    EXPECT_EQ(summary.missed, 1);
    ASSERT_TRUE(summary.timing.has_value());
    EXPECT_DOUBLE_EQ(summary.timing->mean, 21.0);
    EXPECT_DOUBLE_EQ(summary.timing->standardDeviation, 9.0);
}

TEST(ScoredPlayAlong, AnOnsetBelongsToTheNearestColumnTheEarlierOnATie) {
    // Columns 120 ms apart: 60 ms after the first is a tie, 61 ms is nearer the second.
    struct Case {
        double onset;
        Verdict first;
        Verdict second;
    };
    const Case cases[] = {
        {-100.0, Verdict::Right, Verdict::Missed}, {-101.0, Verdict::Missed, Verdict::Missed},
        {60.0, Verdict::Right, Verdict::Missed},   {61.0, Verdict::Missed, Verdict::Right},
        {220.0, Verdict::Missed, Verdict::Right},  {221.0, Verdict::Missed, Verdict::Missed},
    };
    for (const Case& c : cases) {
        ScoredPlayAlong score;
        score.Expect(Column(0, 0, {{1, 0}}));
        score.Expect(Column(1, 120, {{1, 0}}));
        score.Hear({c.onset, {40}});
        const std::vector<ColumnJudgement> judged = score.Finish();
        ASSERT_EQ(judged.size(), 2u);
        EXPECT_EQ(judged[0].verdict, c.first) << c.onset;
        EXPECT_EQ(judged[1].verdict, c.second) << c.onset;
    }
}

}  // namespace
}  // namespace fretlux
