// SPDX-License-Identifier: MIT
#include "playback/patch_list.h"

#include <fstream>
#include <sstream>

#include "document/strings.h"

namespace fretlux {

namespace {

// The longest name that fits the 255-character buffer the name is looked up into, with its
// terminating zero.
constexpr size_t kLongestValue = 254;

// Blanks as an initialisation file knows them: spaces and tabs.
std::string_view TrimBlanks(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::string NameKey(std::string_view name) { return UpperAscii(TrimBlanks(name)); }

}  // namespace

PatchList PatchList::Read(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    // Copying the stream buffer reports a read error (a directory, say) as a failed stream
    // instead of throwing.
    std::ostringstream text;
    if (!(text << file.rdbuf())) return {};
    return Parse(text.view());
}

PatchList PatchList::Parse(std::string_view text) {
    PatchList list;
    std::map<std::string, std::string>* section = nullptr;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = TrimBlanks(line);

        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            if (close == std::string_view::npos) continue;
            section = &list.sections_[NameKey(line.substr(1, close - 1))];
            continue;
        }
        const size_t equals = line.find('=');
        if (section == nullptr || equals == std::string_view::npos) continue;
        // The first line that gives a key wins, as in a lookup that reads from the top.
        section->emplace(NameKey(line.substr(0, equals)),
                         std::string(TrimBlanks(line.substr(equals + 1))));
    }
    return list;
}

std::string PatchList::Lookup(std::string_view section, std::string_view key) const {
    const auto found = sections_.find(NameKey(section));
    if (found == sections_.end()) return {};
    const auto value = found->second.find(NameKey(key));
    if (value == found->second.end()) return {};
    return value->second.substr(0, kLongestValue);
}

std::string PatchList::PatchName(int patch) const {
    return Lookup(kPatchListSection, " " + std::to_string(patch));
}

}  // namespace fretlux
