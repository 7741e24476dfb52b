// SPDX-License-Identifier: MIT
// Tabs copied from web pages are often wider than the 78 columns a TAB shows. Rather than hide
// the rest, the reader cuts such a TAB into several, at a bar line where one falls in the second
// half of a piece, so that every column is shown, played, edited and saved.
#pragma once

#include "document/tab_document.h"

namespace fretlux {

// Columns a TAB shows and a piece of a split TAB holds at most.
inline constexpr int kColumnsPerTab = 78;
// A string line of this many characters (the header cell and 78 columns) is never split.
inline constexpr int kWidestUnsplitLine = 395;

// Replaces every TAB that has a string line longer than kWidestUnsplitLine by its pieces, in
// order, while the document stays within kMaxTabs TABs; the first TAB whose pieces would not all
// fit is left whole, as are all TABs after it.
void SplitWideTabs(TabDocument& document);

}  // namespace fretlux
