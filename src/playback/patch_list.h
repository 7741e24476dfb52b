// SPDX-License-Identifier: MIT
// The instrument names of the patch list, an initialisation-format text file: "[section]" lines
// and "key=value" lines. The file is read once and kept; every lookup then works on memory.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace fretlux {

inline constexpr const char* kPatchListFileName = "GSGMMIDI.LST";
inline constexpr const char* kPatchListSection = "General MIDI";

class PatchList {
public:
    // A list without a file: every name is empty.
    PatchList() = default;

    // Reads the file at path; a file that is missing or cannot be read gives an empty list.
    static PatchList Read(const std::filesystem::path& path);
    // Reads the text of such a file.
    static PatchList Parse(std::string_view text);

    // The value of key in section, empty when either is missing. Blanks around section names
    // and key names do not count, and neither does the case of their letters.
    std::string Lookup(std::string_view section, std::string_view key) const;

    // The instrument name of patch 0..127 in section "General MIDI".
    std::string PatchName(int patch) const;

private:
    // Section name -> key name -> value, names folded to one case.
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

}  // namespace fretlux
