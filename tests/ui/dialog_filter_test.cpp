// SPDX-License-Identifier: MIT
#include "platform/dialog_filter.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(DialogFilter, OpenFilterBecomesThreeQtFiltersWithEveryFileForStarDotStar) {
    EXPECT_EQ(QtFileFilter("Fretlux Files (*.flx)|*.flx|TAB Files (*.tab)|*.tab|"
                           "All Files (*.*)|*.*")
                  .toStdString(),
              "Fretlux Files (*.flx);;TAB Files (*.tab);;All Files (*)");
}

TEST(DialogFilter, SingleFilterKeepsItsDescription) {
    EXPECT_EQ(QtFileFilter("flx Files (*.flx)|*.flx").toStdString(), "flx Files (*.flx)");
    EXPECT_EQ(QtFileFilter("Tab Files (*.tab)|*.tab").toStdString(), "Tab Files (*.tab)");
}

TEST(DialogFilter, DescriptionWithoutPatternGetsOneAndListsAreSeparatedByBlanks) {
    EXPECT_EQ(QtFileFilter("Text|*.txt;*.doc").toStdString(), "Text (*.txt *.doc)");
    // A description naming another pattern than the one that applies keeps its words.
    EXPECT_EQ(QtFileFilter("Songs (*.flx)|*.tab").toStdString(), "Songs (*.flx) (*.tab)");
}

TEST(DialogFilter, DescriptionWithoutPatternAndEmptyFilter) {
    EXPECT_EQ(QtFileFilter("A|*.a|B").toStdString(), "A (*.a)");
    EXPECT_EQ(QtFileFilter("").toStdString(), "");
    EXPECT_EQ(QtFileFilter("|*.x").toStdString(), "*.x");
}

}  // namespace
}  // namespace fretlux
