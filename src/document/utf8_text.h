// SPDX-License-Identifier: MIT
// Document strings are bytes. Shown as text they are read as UTF-8 when they are valid UTF-8,
// else byte for byte as Latin-1.
#pragma once

#include <string>
#include <string_view>

namespace fretlux {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequences.
bool IsValidUtf8(std::string_view bytes);

// The bytes unchanged when they are valid UTF-8, else every byte taken as a Latin-1 character
// and encoded in UTF-8. The result is always valid UTF-8.
std::string BytesAsUtf8(std::string_view bytes);

// Every byte taken as the Latin-1 character of its code, encoded in UTF-8.
std::string Latin1AsUtf8(std::string_view bytes);

}  // namespace fretlux
