// SPDX-License-Identifier: MIT
// The JSON listing printed by "fretlux-cli dump": per TAB its header and text, and per string
// line every cell after the header cell with its display symbol and decoded notes.
#pragma once

#include <ostream>

#include "document/tab_document.h"

namespace fretlux {

// Writes one line of JSON, without a line end, as it goes. Header, text and symbols are bytes;
// they are listed through BytesAsUtf8, so the listing is valid UTF-8 whatever the file held.
void WriteDocumentJson(const TabDocument& document, std::ostream& out);

}  // namespace fretlux
