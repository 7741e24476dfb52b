// SPDX-License-Identifier: MIT
// Plays a document read from a file, or one the window holds, without a window, through the same
// application core the window runs: start-up, the document as Open leaves it, one press of
// Start, then the timers' ticks until playback halts by itself. Each TAB's stored tempo, volume
// and patch take effect as in the window.
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

// Every MIDI message sent from the press of Start on goes to sink, with its time since Start,
// when the document is played as the window plays it after Open.
void PlayDocument(const TabDocument& document, PlayClock clock,
                  const std::function<void(const TimedMidiMessage&)>& sink);

// The same on the virtual clock, every message kept.
std::vector<TimedMidiMessage> PlayDocument(const TabDocument& document);

}  // namespace fretlux
