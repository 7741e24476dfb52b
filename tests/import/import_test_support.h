// SPDX-License-Identifier: MIT
// Opening sample and scratch files the way the window and the command line do.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "../document/test_support.h"
#include "document/tab_cell.h"
#include "import/open_document.h"

namespace fretlux::test {

inline std::string Sample(std::string_view name) {
    return std::string(FRETLUX_IMPORT_SAMPLES) + "/" + std::string(name);
}

// Opens path with track (1-based) or the default one.
inline OpenedDocument Open(const std::string& path, std::optional<int> track = std::nullopt) {
    return OpenDocumentFile(
        path,
        [track](const std::vector<TrackSummary>& tracks) {
            return track.value_or(DefaultTrack(tracks));
        },
        TabSettings{41, 100, 25});
}

// What the TAB view shows of line l (1 = high E) of TAB t (0-based): one symbol per column.
inline std::string Shown(const TabDocument& document, int t, int l) {
    return DisplaySymbols(document.tabLines[static_cast<size_t>(t)][static_cast<size_t>(l)])
        .substr(1);
}

// A scratch directory, removed with its contents, that names the files written into it.
class ScratchDir : public TempDir {
public:
    std::string Write(std::string_view name, std::string_view bytes) const {
        const std::string path = File(name);
        WriteBytes(path, bytes);
        return path;
    }
};

}  // namespace fretlux::test
