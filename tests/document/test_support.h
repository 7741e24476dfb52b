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
#include <system_error>
#include <vector>

#include "document/tab_document.h"

namespace fretlux::test {

// A new, empty directory under the system's temporary directory; removed with its contents.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "fretlux-doc-XXXXXX");
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

    // Names of the entries in the directory, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
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
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The lines, each followed by the given line end.
inline std::string Lines(const std::vector<std::string>& lines, std::string_view end = "\n") {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += end;
    }
    return out;
}

// Six plain string lines, one per string, each with a different fret so that they can be told
// apart after reading.
inline std::vector<std::string> PlainBlock(int fret = 0) {
    std::vector<std::string> lines;
    const std::string letters = "eBGDAE";
    for (int l = 0; l < 6; ++l) {
        lines.push_back(std::string(1, letters[l]) + "|---" + std::to_string((fret + l) % 10) +
                        "---|");
    }
    return lines;
}

inline std::vector<std::string> Concat(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
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
