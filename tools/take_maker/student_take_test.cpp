// SPDX-License-Identifier: MIT
// A take's truth must be what its sound holds: every column's notes begin in the messages that
// are rendered exactly as the truth says, whatever the student's habits.
#include "student_take.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "cli/read_input.h"

namespace fretlux::takes {
namespace {

struct Case {
    const char* lesson;
    std::uint64_t seed;
};

class StudentTakeTest : public ::testing::TestWithParam<Case> {};

TEST_P(StudentTakeTest, TruthIsWhatTheMessagesPlay) {
    std::ostringstream err;
    const auto document =
        ReadInput(std::string(FRETLUX_DATA_DIR) + "/" + GetParam().lesson, std::nullopt, err);
    ASSERT_TRUE(document) << err.str();
    const auto columns = PlayedColumns(*document);
    const StudentHabits habits{GetParam().seed, 27, 30, 10, 0.3, 0.2};
    const StudentTake take = PlayAsStudent(PlayDocument(*document), columns, habits);

    ASSERT_FALSE(take.events.empty());
    EXPECT_EQ(take.events.front().Status() & 0xF0, 0xC0);
    EXPECT_EQ(take.events.front().Data1(), 27);
    // Each note begun goes to the column whose time is nearest.
    std::map<size_t, std::vector<std::int64_t>> onsets;
    std::map<size_t, std::vector<int>> begun;
    for (const TimedMidiMessage& m : take.events) {
        if ((m.Status() & 0xF0) != 0x90 || m.Data2() == 0) continue;
        const auto nearest = std::min_element(
            columns.begin(), columns.end(), [&m](const PlayedColumn& a, const PlayedColumn& b) {
                return std::llabs(a.milliseconds - m.milliseconds) <
                       std::llabs(b.milliseconds - m.milliseconds);
            });
        const size_t c = static_cast<size_t>(nearest - columns.begin());
        onsets[c].push_back(m.milliseconds);
        begun[c].push_back(m.Data1());
    }
    ASSERT_EQ(take.columns.size(), columns.size());
    std::map<Verdict, int> verdicts;
    for (size_t c = 0; c < columns.size(); ++c) {
        const TakenColumn& taken = take.columns[c];
        SCOPED_TRACE(testing::Message() << "column at " << columns[c].milliseconds << " ms");
        EXPECT_EQ(taken.expected.notes, columns[c].notes);
        std::vector<int> notes = begun[c];
        std::sort(notes.begin(), notes.end());
        notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
        EXPECT_EQ(taken.played, notes);
        ++verdicts[taken.verdict];
        if (notes.empty()) {
            EXPECT_EQ(taken.verdict, Verdict::Missed);
            EXPECT_FALSE(taken.offsetMs);
            continue;
        }
        EXPECT_EQ(taken.verdict, notes == columns[c].notes ? Verdict::Right : Verdict::Wrong);
        const auto [first, last] = std::minmax_element(onsets[c].begin(), onsets[c].end());
        ASSERT_TRUE(taken.offsetMs);
        EXPECT_EQ(*first - columns[c].milliseconds, *taken.offsetMs);
        EXPECT_LE(std::abs(*taken.offsetMs), habits.timingMs);
        EXPECT_LE(*last - *first, habits.strumMs * 5);
    }
    // A finger left on a wrong fret plays the same wrong note again where the notes repeat.
    int repeatedSlips = 0;
    for (size_t c = 1; c < columns.size(); ++c) {
        const TakenColumn& before = take.columns[c - 1];
        const TakenColumn& now = take.columns[c];
        repeatedSlips += now.verdict == Verdict::Wrong && now.played == before.played &&
                         now.expected.notes == before.expected.notes;
    }
    EXPECT_GT(repeatedSlips, 0);
    // A share of 0.3 wrong and 0.2 missed, drawn over a hundred columns or more.
    const double count = static_cast<double>(columns.size());
    EXPECT_GT(count, 100);
    EXPECT_NEAR(verdicts[Verdict::Wrong] / count, 0.3, 0.1);
    EXPECT_NEAR(verdicts[Verdict::Missed] / count, 0.2, 0.1);
}

// Single notes from a flat-picking lesson, full chords from a strumming lesson.
INSTANTIATE_TEST_SUITE_P(Lessons, StudentTakeTest,
                         ::testing::Values(Case{"lesson10.flx", 1}, Case{"lesson5.flx", 2}));

}  // namespace
}  // namespace fretlux::takes
