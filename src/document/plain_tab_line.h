// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace fretlux {

// Turns one trimmed string line of a plain TAB file (one character per position) into cells:
// the header cell from its first character, then one cell per further character, with a
// sounding note wherever a fret number starts.
std::string ConvertPlainTabLine(std::string_view s);

}  // namespace fretlux
