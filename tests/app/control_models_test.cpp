// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "app/control_models.h"

namespace fretlux {
namespace {

struct CountedScrollBar {
    CountedScrollBar(int min, int max, int value) : bar(min, max, value) {
        bar.onChange = [this] { ++changes; };
    }
    ScrollBarModel bar;
    int changes = 0;
};

TEST(ScrollBarModel, RunsItsChangeHandlingOnlyWhenTheValueChanges) {
    CountedScrollBar counted(0, 10, 3);
    counted.bar.SetValue(3);
    EXPECT_EQ(counted.changes, 0);
    counted.bar.SetValue(4);
    EXPECT_EQ(counted.changes, 1);
}

TEST(ScrollBarModel, KeepsItsValueInRange) {
    CountedScrollBar counted(1, 200, 41);
    counted.bar.SetValue(999);
    EXPECT_EQ(counted.bar.Value(), 200);
    counted.bar.SetValue(-5);
    EXPECT_EQ(counted.bar.Value(), 1);
    EXPECT_EQ(counted.changes, 2);
}

TEST(ScrollBarModel, ARangeThatShrinksPastTheValueMovesItAndReportsTheChange) {
    CountedScrollBar counted(1, 3, 3);
    counted.bar.SetMax(0);
    EXPECT_EQ(counted.bar.Min(), 0);
    EXPECT_EQ(counted.bar.Value(), 0);
    EXPECT_EQ(counted.changes, 1);
    counted.bar.SetMax(2);
    counted.bar.SetMin(1);
    EXPECT_EQ(counted.bar.Value(), 1);
    EXPECT_EQ(counted.changes, 2);
}

TEST(TextBoxModel, RunsItsChangeHandlingOnlyForNewText) {
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
