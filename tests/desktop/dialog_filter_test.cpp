// SPDX-License-Identifier: MIT
#include "desktop/dialog_filter.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(DialogFilter, PairsOfDescriptionAndPatternBecomeQtFilters) {
    const std::pair<const char*, const char*> rows[] = {
        // "*.*" is every file.
        {"Fretlux Files (*.flx)|*.flx|TAB Files (*.tab)|*.tab|All Files (*.*)|*.*",
         "Fretlux Files (*.flx);;TAB Files (*.tab);;All Files (*)"},
        {"flx Files (*.flx)|*.flx", "flx Files (*.flx)"},
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
