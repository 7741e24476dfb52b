// SPDX-License-Identifier: MIT
// How every command of fretlux-cli reads its IN: whatever the window's Open reads, one track of
// it (--track N, else the one Open would take).
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "document/tab_document.h"

namespace fretlux {

// The document, or nothing once the failure was reported on err as the window reports a failed
// Open. What the window would tell about a document that did open is printed on err too.
std::optional<TabDocument> ReadInput(const std::string& in, std::optional<int> track,
                                     std::ostream& err);

// One JSON line per track of the file: name, strings, tuning, capo and notes.
int PrintTracks(const std::string& in, std::ostream& out, std::ostream& err);

}  // namespace fretlux
