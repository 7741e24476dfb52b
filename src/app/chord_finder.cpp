// SPDX-License-Identifier: MIT
#include "app/chord_finder.h"

#include "chords/chord_names.h"
#include "chords/load_chord.h"

namespace fretlux {

std::optional<ChordLoad> ChordFinder::Ask() {
    FastFindForm form(choice_);
    host_.ShowFastFind(form);
    if (choice_.gChordRoot == -1) return std::nullopt;
    return LoadChordFile(ChordFileName(host_.ProgramDirectory(), choice_.gChordRoot),
                         choice_.gChordType, choice_.gChordVariation);
}

}  // namespace fretlux
