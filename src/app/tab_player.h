// SPDX-License-Identifier: MIT
// Plays a document read from a file, or one the window holds, without a window, through the same
// application core the window runs: start-up, the document as Open leaves it, one press of
// Start, then the timers' ticks until playback halts by itself. Each TAB's stored tempo, volume
// and patch take effect as in the window.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/tab_document.h"
#include "playback/practice_settings.h"
#include "playback/timed_midi_message.h"

namespace fretlux {

enum class PlayClock {
    // Ticks follow each other at once, each at its exact time: as fast as the computer goes.
    Virtual,
    // Each tick waits for its time on the steady clock: playing for a listener.
    RealTime,
};

// Every MIDI message sent from the press of Start on goes to sink, with its time since Start,
// when the document is played as the window plays it after Open. The options are the practice
// settings as the window's menus set them; with a loop, Start plays that selection of its TAB
// the loop's number of passes, then playback halts.
void PlayDocument(const TabDocument& document, PlayClock clock,
                  const std::function<void(const TimedMidiMessage&)>& sink,
                  const PlayOptions& options = {});

// The same on the virtual clock, every message kept.
std::vector<TimedMidiMessage> PlayDocument(const TabDocument& document,
                                           const PlayOptions& options = {});

// Why the loop cannot be played in the document (it has no such TAB, or the TAB no such
// columns); nothing when it can.
std::optional<std::string> LoopOutsideDocument(const TabDocument& document,
                                               const LoopedSelection& loop);

// A column that began notes when the document was played: where it stands and when it sounded.
struct PlayedColumn {
    int tab = 0;     // 1-based, as the window counts TABs
    int column = 0;  // 0-based, as the window counts columns
    std::int64_t milliseconds = 0;
    std::vector<int> notes;  // ascending MIDI note numbers, each once
};

// The columns that began notes, in playing order, on the virtual clock.
std::vector<PlayedColumn> PlayedColumns(const TabDocument& document);

}  // namespace fretlux
