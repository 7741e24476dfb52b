// SPDX-License-Identifier: MIT
// The score XML ("score.gpif") that Guitar Pro 6 keeps in its .gpx container and Guitar Pro 7
// and 8 keep in their .gp zip archive.
#pragma once

#include <string_view>

#include "import/imported_song.h"

namespace fretlux {

// formatName names the file in messages ("Guitar Pro 7").
ImportedSong ReadGpif(std::string_view xml, const std::string& formatName);

}  // namespace fretlux
