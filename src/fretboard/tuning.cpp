// SPDX-License-Identifier: MIT
#include "fretboard/tuning.h"

namespace fretlux {

Tuning::Tuning() : openStringNotes{0, 40, 45, 50, 55, 59, 64} {
    size_t p = 0;
    for (std::string& name : noteNames) {
        name = std::string(kNoteNameTable.substr(p, 2));
        p = (p + 2) % kNoteNameTable.size();
    }
}

}  // namespace fretlux
