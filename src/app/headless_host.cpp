// SPDX-License-Identifier: MIT
#include "app/headless_host.h"

#include <cstdlib>

namespace fretlux {

MessageAnswer HeadlessHost::ShowMessage(const MessageBoxRequest& request) {
    return request.defaultButton;
}

std::optional<std::string> HeadlessHost::ShowFileDialog(const FileDialogRequest& request) {
    if (request.mode != FileDialogMode::Open) return std::nullopt;
    std::optional<std::string> chosen = std::move(chosenFile_);
    chosenFile_.reset();
    return chosen;
}

// The patch names are read from here; without them only the names shown are missing.
std::string HeadlessHost::ProgramDirectory() const {
    const char* directory = std::getenv("FRETLUX_PROGRAM_DIR");
    return directory != nullptr && *directory != '\0' ? directory : ".";
}

}  // namespace fretlux
