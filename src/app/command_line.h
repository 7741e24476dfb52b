// SPDX-License-Identifier: MIT
// The arguments the window program takes: one file to open at start, or a question about the
// program that is answered without opening a window.
#pragma once

#include <string>
#include <vector>

namespace fretlux {

enum class StartAction { OpenWindow, PrintVersion, PrintUsage, WrongArguments };

struct StartRequest {
    StartAction action = StartAction::OpenWindow;
    // The file to open at start; empty for none.
    std::string file;
};

inline constexpr const char* kWindowUsage =
    "usage: fretlux [FILE]\n"
    "\n"
    "  FILE       a Fretlux file (.flx) or a TAB file (.tab, or any text) to open at start\n"
    "  --help     print this help and the folder of the lessons, chords and help pages\n"
    "  --version  print the version\n";

// args are the arguments after the program name. --help and --version win over anything else;
// more than one file or an unknown option is wrong.
StartRequest ReadCommandLine(const std::vector<std::string>& args);

// "Fretlux 1.10".
std::string VersionLine();

}  // namespace fretlux
