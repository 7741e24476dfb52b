// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace fretlux {

inline constexpr char kPathSeparator = '/';

// Everything before the last separator; empty for a path without one.
std::string DirectoryPart(std::string_view path);

// Everything after the last separator; the whole path when it has none.
std::string NamePart(std::string_view path);

// The name a Save command offers: the document's base name (before its last dot) followed by
// the extension of the form being saved, such as ".flx". The base name keeps its case.
std::string ProposedFileName(std::string_view path, std::string_view extension);

}  // namespace fretlux
