// SPDX-License-Identifier: MIT
// The program's version, and the settings a document without its own plays at, in the window
// and in fretlux-cli.
#pragma once

#include "document/tab_header.h"

namespace fretlux {

inline constexpr const char* kVersion = "1.10";
// The tempo, volume and patch the window starts with.
inline constexpr TabSettings kStartSettings{41, 100, 25};

}  // namespace fretlux
