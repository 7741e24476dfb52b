// SPDX-License-Identifier: MIT
// Guitar Pro 3, 4 and 5 files: the binary formats that begin with the version string
// "FICHIER GUITAR PRO v3.00" and its successors.
#pragma once

#include <string_view>

#include "import/imported_song.h"

namespace fretlux {

// 3, 4 or 5 for a file that begins with one of their version strings, else 0.
int GuitarProVersion(std::string_view bytes);

// Throws ImportError for a file that is damaged or lies about its contents.
ImportedSong ReadGuitarPro(std::string_view bytes);

}  // namespace fretlux
