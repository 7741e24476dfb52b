// SPDX-License-Identifier: MIT
#pragma once

#include "document/tab_document.h"

namespace fretlux::chordgen {

// The chord file of root index 0..11 as a document: TAB b holds chord types 2b and 2b + 1 side by
// side, each in three variations of 13 columns with the chord in the sixth, its fret digits
// shown; the label names the two chords and the text before the TAB spells them out with their
// frets and fingers.
TabDocument ChordChart(int root);

}  // namespace fretlux::chordgen
