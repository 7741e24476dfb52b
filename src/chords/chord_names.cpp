// SPDX-License-Identifier: MIT
#include "chords/chord_names.h"

#include "document/file_names.h"
#include "document/strings.h"

namespace fretlux {

std::string ChordFileName(std::string_view programDirectory, int root) {
    return std::string(programDirectory) + kPathSeparator + "Chord" +
           TrimSpaces(kRootNotes.at(static_cast<std::size_t>(root))) + ".flx";
}

}  // namespace fretlux
