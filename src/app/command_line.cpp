// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include "app/start_settings.h"

namespace fretlux {

StartRequest ReadCommandLine(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") return {StartAction::PrintUsage, ""};
        if (arg == "--version") return {StartAction::PrintVersion, ""};
    }
    StartRequest request;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if ((!optionsEnded && arg.starts_with('-')) || !request.file.empty()) {
            return {StartAction::WrongArguments, ""};
        } else {
            request.file = arg;
        }
    }
    return request;
}

std::string VersionLine() { return std::string("Fretlux ") + kVersion; }

}  // namespace fretlux
