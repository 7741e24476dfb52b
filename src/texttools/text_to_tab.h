// SPDX-License-Identifier: MIT
// Reading and writing the display symbols of one column across a TAB's six string lines: what
// Text to TAB shows and puts back.
#pragma once

#include <string>
#include <string_view>

#include "document/tab_document.h"

namespace fretlux {

// The display symbol of the given column (0-based) on string lines 1..6, top line first. A line
// that ends before the column gives a blank, so the result always has six characters.
std::string ReadColumnSymbols(const TabBlock& tab, int column);

// Puts symbol i - 1 as the display symbol of the column on line i, for every line 1..6; a line
// that ends before the column is first padded with blanks. Every line is then cut to the edited
// line length. symbols must hold six characters.
void WriteColumnSymbols(TabBlock& tab, int column, std::string_view symbols);

}  // namespace fretlux
