// SPDX-License-Identifier: MIT
// MusicXML scores, partwise or timewise: every part becomes a track.
#pragma once

#include <string_view>

#include "import/imported_song.h"

namespace fretlux {

// True for an XML document whose root element is score-partwise or score-timewise.
bool IsMusicXml(std::string_view bytes);

// Throws ImportError for a score that cannot be read.
ImportedSong ReadMusicXml(std::string_view bytes);

}  // namespace fretlux
