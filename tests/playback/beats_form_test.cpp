// SPDX-License-Identifier: MIT
#include "playback/beats_form.h"

#include <gtest/gtest.h>

#include <vector>

namespace fretlux {
namespace {

// A bar of twelve columns between two bar lines.
std::vector<bool> TwelveColumnBar() {
    std::vector<bool> columns(14, false);
    columns.front() = columns.back() = true;
    return columns;
}

TEST(BeatsForm, TheColumnsFollowTheBarsUntilFixedFromWhatTheyGave) {
    BeatsForm form({}, TwelveColumnBar());
    EXPECT_FALSE(form.FixedColumns());
    EXPECT_EQ(form.ColumnsPerBeat(), 3);
    form.SetColumnsPerBeat(7);  // greyed out: no effect
    form.SetBeatsPerBar(6);
    EXPECT_EQ(form.ColumnsPerBeat(), 2);
    form.SetFixedColumns(true);
    EXPECT_EQ(form.ColumnsPerBeat(), 2);
    form.SetColumnsPerBeat(40);
    form.SetBeatsPerBar(1);
    EXPECT_EQ(form.Result(), std::nullopt);
    form.Accept();
    EXPECT_EQ(form.Result(), (BeatSettings{kMinBeatsPerBar, kMaxColumnsPerBeat}));
}

TEST(BeatsForm, UnfixingGoesBackToTheBars) {
    BeatsForm form({3, 5}, TwelveColumnBar());
    EXPECT_EQ(form.ColumnsPerBeat(), 5);
    form.SetFixedColumns(false);
    EXPECT_EQ(form.ColumnsPerBeat(), 4);
    form.Accept();
    EXPECT_EQ(form.Result(), (BeatSettings{3, std::nullopt}));
}

}  // namespace
}  // namespace fretlux
