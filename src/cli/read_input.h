// SPDX-License-Identifier: MIT
// How every command of fretlux-cli reads its IN: whatever the window's Open reads, one track of
// it (--track N, else the one Open would take).
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "document/tab_document.h"
#include "playback/practice_settings.h"

namespace fretlux {

// The document, or nothing once the failure was reported on err as the window reports a failed
// Open. What the window would tell about a document that did open is printed on err too.
std::optional<TabDocument> ReadInput(const std::string& in, std::optional<int> track,
                                     std::ostream& err);

// The file's document, when it can be opened and holds the loop the options ask for; else the
// reason is reported, a file as the window reports it, and exitCode says the exit code.
std::optional<TabDocument> ReadPlayable(const std::string& in, std::optional<int> track,
                                        const PlayOptions& options, std::ostream& err,
                                        int& exitCode);

// One JSON line per track of the file: name, strings, tuning, capo and notes.
int PrintTracks(const std::string& in, std::ostream& out, std::ostream& err);

}  // namespace fretlux
