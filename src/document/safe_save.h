// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fretlux {

// Writes bytes to path through OutputFile: the target is replaced only once all of them were
// written. Returns the description of the failure, or nothing on success; on failure an existing
// file at path is left as it was.
std::optional<std::string> SaveFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace fretlux
