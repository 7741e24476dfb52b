// SPDX-License-Identifier: MIT
#include "app/control_models.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(ControlModels, ScrollBarKeepsItsValueInRangeAndReportsOnlyRealChanges) {
    ScrollBarModel bar(1, 200, 41);
    int changes = 0;
    bar.onChange = [&] { ++changes; };
    bar.SetValue(41);
    EXPECT_EQ(changes, 0);
    bar.SetValue(999);
    EXPECT_EQ(bar.Value(), 200);
    bar.SetValue(-5);
    EXPECT_EQ(bar.Value(), 1);
    EXPECT_EQ(changes, 2);
    // A range that shrinks past the value moves it, and that is a change too.
    bar.SetMax(0);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Value(), 0);
    bar.SetMax(2);
    bar.SetMin(1);
    EXPECT_EQ(bar.Value(), 1);
    EXPECT_EQ(changes, 4);
}

TEST(ControlModels, TextBoxReportsOnlyNewText) {
    TextBoxModel box;
    int changes = 0;
    box.onChange = [&] { ++changes; };
    box.SetText("");
    box.SetText("Intro");
    box.SetText("Intro");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.Text(), "Intro");
}

}  // namespace
}  // namespace fretlux
