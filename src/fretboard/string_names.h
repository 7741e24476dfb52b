// SPDX-License-Identifier: MIT
// The string names beside the fretboard: on the side of the open strings, in the order the
// rows show the strings. Turning the board moves or rewrites them with the flags.
#pragma once

#include <array>
#include <string>

#include "fretboard/fretboard.h"
#include "fretboard/orientation.h"

namespace fretlux {

// Captions of the six labels on each side, index 0 at the top.
struct StringNameLabels {
    std::array<std::string, kRows> lblStrgL{"E", "A", "D", "G", "B", "E"};
    std::array<std::string, kRows> lblStrgR{};
};

// The flag-and-names part of Rotate left-right: the names go to the other side.
void FlipLeftRight(Orientation& orientation, StringNameLabels& labels);
// The flag-and-names part of Rotate up-down: the names on the side in use are rewritten.
void FlipUpDown(Orientation& orientation, StringNameLabels& labels);

}  // namespace fretlux
