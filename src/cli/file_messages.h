// SPDX-License-Identifier: MIT
// The texts a failed file operation is reported with, the same in the window and in fretlux-cli.
#pragma once

#include <string>
#include <string_view>

namespace fretlux {

// For a file that could not be opened or read: the description comes from the reader.
std::string OpenFailureMessage(std::string_view description);

// For a file that could not be written: the description comes from the save.
std::string CloseFailureMessage(std::string_view description);

}  // namespace fretlux
