// SPDX-License-Identifier: MIT
// What a student played where a single note was expected: a wrong note struck again while the
// expected one rang, the note an octave or more up, or another pitch heard; and whether the
// expected note began beside it.
#pragma once

#include <vector>

#include "listening/onset_look.h"

namespace fretlux {

// Where the single note expected was due, the note played in its place joins others; the expected
// note stays in heard only where something new at partials of its own tells of it.
void HearInPlaceOfSingleNote(const Look& look, int single, double total, bool phaseTells,
                             std::vector<int>& heard, std::vector<int>& others);

}  // namespace fretlux
