// SPDX-License-Identifier: MIT
// Helpers shared by the document tests: scratch directories, files, and building TAB texts.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "document/tab_document.h"

namespace fretlux::test {

using Lines = std::vector<std::string>;

// A new, empty directory under the system's temporary directory; removed with its contents.
class TempDir {
public:
    TempDir() {
        std::string pattern = std::filesystem::temp_directory_path() / "fretlux-doc-XXXXXX";
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        // Give back write permission first, in case a test took it away.
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(std::string_view name) const { return (path_ / name).string(); }

    Lines Entries() const {
        Lines names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

// The lines of all parts, in order, each followed by the given line end.
inline std::string Join(const std::vector<Lines>& parts, std::string_view end = "\n") {
    std::string out;
    for (const Lines& part : parts) {
        for (const std::string& line : part) out.append(line).append(end);
    }
    return out;
}

// Six plain string lines, one per string, each with a different fret so that they can be told
// apart after reading.
inline Lines PlainBlock(int fret = 0) {
    Lines lines;
    for (int l = 0; l < 6; ++l) {
        lines.push_back("eBGDAE"[l] + std::string("|---") + std::to_string((fret + l) % 10) +
                        "---|");
    }
    return lines;
}

// Two documents are the same when they hold the same TABs, lines and texts.
inline bool SameDocument(const TabDocument& a, const TabDocument& b) {
    if (a.tabCount != b.tabCount) return false;
    for (int t = 0; t < a.tabCount; ++t) {
        if (a.tabLines[t] != b.tabLines[t] || a.tabTexts[t] != b.tabTexts[t]) return false;
    }
    return true;
}

}  // namespace fretlux::test
