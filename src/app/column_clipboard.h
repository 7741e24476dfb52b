// SPDX-License-Identifier: MIT
#pragma once

#include "app/tab_columns.h"

namespace fretlux {

// The columns Cut or Copy took from a TAB, one run of cells per string line, which Paste puts
// back in place of a selection.
class ColumnClipboard {
public:
    void Keep(const TabColumn& lines, int columnCount) {
        lines_ = lines;
        columnCount_ = columnCount;
    }
    const TabColumn& Lines() const { return lines_; }
    int ColumnCount() const { return columnCount_; }

private:
    TabColumn lines_;
    int columnCount_ = 0;
};

}  // namespace fretlux
