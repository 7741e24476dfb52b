// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace fretlux {

// fretlux-cli chord FILE TYPE VARIATION: reads the chord out of FILE as the finder reads a chord
// file, whatever the file's name, and prints one line of JSON, an array of the six strings'
// note contents (low E string first), each null when the file has no such chord. Bytes above
// 127 are shown as the Latin-1 characters of their codes. Returns the exit code, or nothing when
// TYPE or VARIATION is not a number in its range.
std::optional<int> PrintChord(const std::string& file, const std::string& type,
                              const std::string& variation, std::ostream& out, std::ostream& err);

}  // namespace fretlux
