// SPDX-License-Identifier: MIT
// What every document made from an imported song must be, whatever the file held: at most 101
// TABs of stamped headers and six string lines of whole cells, none wider than a TAB.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "document/tab_cell.h"
#include "document/tab_header.h"
#include "fuzz_check.h"
#include "import/imported_song.h"
#include "import/song_to_document.h"

namespace fretlux {

inline void CheckImportedSong(const ImportedSong& song) {
    // Each track once: enough to cover every reader path without repeating the conversion.
    for (size_t t = 0; t < song.tracks.size() && t < 4; ++t) {
        const ConvertedSong converted = SongToDocument(song, t, TabSettings{41, 100, 25});
        const TabDocument& document = converted.document;
        FUZZ_CHECK(document.tabCount >= 0 && document.tabCount <= kMaxTabs);
        for (int tab = 0; tab < document.tabCount; ++tab) {
            FUZZ_CHECK(ReadHeaderSettings(document.tabLines[tab][0]).has_value());
            for (int l = 1; l < kLinesPerTab; ++l) {
                const std::string& line = document.tabLines[tab][l];
                FUZZ_CHECK(line.size() % kCellWidth == 0);
                FUZZ_CHECK(line.size() <= static_cast<size_t>(kCellWidth * (kTabColumns + 1)));
            }
        }
    }
}

}  // namespace fretlux
