// SPDX-License-Identifier: MIT
// The document as MusicXML 4.0 (score-partwise, UTF-8), the exchange form notation programs
// read: one part "Guitar" on two staves, a treble staff an octave down over a six-line TAB
// staff in standard tuning, both carrying the same notes. A column is a sixteenth note; the
// tempo, volume and patch each TAB plays at become sound directions where they change.
#pragma once

#include <string>
#include <string_view>

#include "document/tab_document.h"
#include "document/tab_header.h"

namespace fretlux {

// startSettings: what plays until a TAB's header stores its own. title: the work's title.
std::string MusicXmlScore(const TabDocument& document, const TabSettings& startSettings,
                          std::string_view title);

}  // namespace fretlux
