// SPDX-License-Identifier: MIT
#include "fretboard/string_names.h"

#include <string_view>

#include "fretboard/tuning.h"

namespace fretlux {

namespace {

void MoveNames(std::array<std::string, kRows>& from, std::array<std::string, kRows>& to) {
    for (int index = 0; index < kRows; ++index) {
        to[index] = from[index];
        from[index].clear();
    }
}

void SpellNames(std::string_view names, std::array<std::string, kRows>& labels) {
    for (int index = 0; index < kRows; ++index) labels[index] = std::string(1, names[index]);
}

}  // namespace

void FlipLeftRight(Orientation& orientation, StringNameLabels& labels) {
    if (orientation.leftRightFlipped != 0) {
        MoveNames(labels.lblStrgR, labels.lblStrgL);
        orientation.leftRightFlipped = 0;
    } else {
        MoveNames(labels.lblStrgL, labels.lblStrgR);
        orientation.leftRightFlipped = 1;
    }
}

void FlipUpDown(Orientation& orientation, StringNameLabels& labels) {
    std::array<std::string, kRows>& side =
        orientation.leftRightFlipped == 0 ? labels.lblStrgL : labels.lblStrgR;
    if (orientation.upDownFlipped != 0) {
        SpellNames(kStringNamesLowToHigh, side);
        orientation.upDownFlipped = 0;
    } else {
        SpellNames(kStringNamesHighToLow, side);
        orientation.upDownFlipped = 1;
    }
}

}  // namespace fretlux
