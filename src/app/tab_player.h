// SPDX-License-Identifier: MIT
// Plays a TAB file, or a document the window holds, without a window, through the same
// application core the window runs: start-up, Open of the file, one press of Start, then the
// timers' ticks until playback halts by itself. Each TAB's stored tempo, volume and patch take
// effect as in the window.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/tab_document.h"
#include "playback/timed_midi_message.h"

namespace fretlux {

enum class PlayClock {
    // Ticks follow each other at once, each at its exact time: as fast as the computer goes.
    Virtual,
    // Each tick waits for its time on the steady clock: playing for a listener.
    RealTime,
};

// Every MIDI message sent from the press of Start on goes to sink, with its time since Start.
// Returns the message the window would have shown when the file could not be opened.
std::optional<std::string> PlayTabFile(const std::string& path, PlayClock clock,
                                       const std::function<void(const TimedMidiMessage&)>& sink);

// Every MIDI message sent from the press of Start on, on the virtual clock, when the document is
// played as PlayTabFile plays a file that reads into it.
std::vector<TimedMidiMessage> PlayDocument(const TabDocument& document);

}  // namespace fretlux
