// SPDX-License-Identifier: MIT
// The beats chosen for a document are kept in the program's settings under the document's name,
// never in the file, which other programs read too.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "playback/beat_grid.h"

namespace fretlux {

// The settings key for the document at path.
std::string RememberedBeatsKey(std::string_view path);

// "4" for four beats a bar measured from the bar lines, "3x2" for three beats of two columns.
std::string RememberedBeatsText(const BeatSettings& beats);
// Nothing for a text that is not one RememberedBeatsText writes, as from a later version.
std::optional<BeatSettings> ReadRememberedBeats(std::string_view text);

}  // namespace fretlux
