// SPDX-License-Identifier: MIT
// The texts that report a failed read or write, shown by the window and printed by the CLI.
#pragma once

#include <string>
#include <string_view>

namespace fretlux {

inline std::string OpenFailedMessage(std::string_view description) {
    return "Error '" + std::string(description) +
           "' encountered while trying to open file, please retry.";
}

inline std::string SaveFailedMessage(std::string_view description) {
    return "Error '" + std::string(description) +
           "' encountered while trying to close file, please retry.";
}

}  // namespace fretlux
