// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "app/control_models.h"

namespace fretlux {

// The MIDI settings window: the channel bar (channels 0..15, shown as 1..16) with its label,
// and one line that says which output sounds the notes, or why nothing sounds.
struct MidiSettingsForm {
    // A newly loaded window shows the bar's design position and an empty label until the bar
    // moves; the channel in use does not change by loading it.
    ScrollBarModel HScrollMIDIChannel{0, 15, 1};
    LabelModel lblMIDICh;
    std::string outputStatus;
};

}  // namespace fretlux
