// SPDX-License-Identifier: MIT
// The Guitar Pro 6 container: a compressed ("BCFZ") or plain ("BCFS") image of a small file
// system of 4 KB sectors, one of whose files is the score.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fretlux {

inline bool IsGpxContainer(std::string_view bytes) {
    return bytes.starts_with("BCFZ") || bytes.starts_with("BCFS");
}

// The bytes of the named file, or nothing when the container holds no such file; ImportError
// for a damaged container or one that unpacks past 64 MB.
std::optional<std::string> ReadGpxFile(std::string_view container, std::string_view name);

}  // namespace fretlux
