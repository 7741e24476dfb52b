// SPDX-License-Identifier: MIT
#include "cli/file_messages.h"

namespace fretlux {

std::string OpenFailureMessage(std::string_view description) {
    return "Error '" + std::string(description) +
           "' encountered while trying to open file, please retry.";
}

std::string CloseFailureMessage(std::string_view description) {
    return "Error '" + std::string(description) +
           "' encountered while trying to close file, please retry.";
}

}  // namespace fretlux
