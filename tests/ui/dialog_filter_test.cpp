// SPDX-License-Identifier: MIT
#include "platform/dialog_filter.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(DialogFilter, PairsOfDescriptionAndPatternBecomeQtFilters) {
    const std::pair<const char*, const char*> rows[] = {
        // "*.*" is every file.
        {"Fretlux and TAB Files (*.flx;*.tab)|*.flx;*.tab|TAB Files (*.tab)|*.tab|"
         "All Files (*.*)|*.*",
         "Fretlux and TAB Files (*.flx *.tab);;TAB Files (*.tab);;All Files (*)"},
        // A description without the pattern gets it, with blanks between patterns; one naming
        // another pattern keeps its words.
        {"Text|*.txt;*.doc", "Text (*.txt *.doc)"},
        {"Songs (*.flx)|*.tab", "Songs (*.flx) (*.tab)"},
        {"A|*.a|B", "A (*.a)"},
        {"|*.x", "*.x"},
        {"", ""},
    };
    for (const auto& [filter, qt] : rows) EXPECT_EQ(QtFileFilter(filter).toStdString(), qt);
}

}  // namespace
}  // namespace fretlux
