// SPDX-License-Identifier: MIT
#pragma once

#include "document/tab_document.h"

namespace fretlux {

// Rewrites the display symbols of the six string lines of TAB index t from their note slots:
// a sounding note shows the first digit of its fret, a two-digit fret carries its second digit
// into the next cell, and digits left over from notes that are gone become "-".
void RenderFretDigits(TabDocument& document, int t);

}  // namespace fretlux
