// SPDX-License-Identifier: MIT
// Opening sample and scratch files the way the window and the command line do.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// A scratch directory removed with its contents.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = std::filesystem::temp_directory_path() / "fretlux-import-XXXXXX";
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string Write(std::string_view name, std::string_view bytes) const {
        const std::string path = (path_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

private:
    std::filesystem::path path_;
};

}  // namespace fretlux::test
