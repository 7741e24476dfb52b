// SPDX-License-Identifier: MIT
// Where a write to a path lands: symbolic links are followed to the file they finally name,
// which is made when it does not exist but its directory does.
#pragma once

#include <string>
#include <variant>

namespace fretlux {

// The file a write to path replaces or makes, or the errno why there is none: ELOOP for links
// that lead round in a circle, ENOENT when the last link's directory is missing.
std::variant<std::string, int> ResolveWriteTarget(const std::string& path);

// Everything before the last '/': "." for a bare name, "/" for a file at the root.
std::string DirectoryOf(const std::string& path);

// True when path is a name of the program's own standard output.
bool NamesStandardOutput(const std::string& path);

}  // namespace fretlux
