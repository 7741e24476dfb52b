// SPDX-License-Identifier: MIT
// The commands of fretlux-cli that play a TAB file: to a log of MIDI messages, to the sound card,
// to a Standard MIDI File, and to a WAVE file rendered faster than real time.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "playback/practice_settings.h"

namespace fretlux {

// Every command plays with the practice options given, as the window would with the same
// settings, a loop as the window loops a selection until its passes are done.

// One line per message sent from the press of Start on: milliseconds since Start, status,
// data 1 and data 2, in decimal, separated by single spaces.
int LogPlayback(const std::string& in, std::ostream& out, std::ostream& err,
                std::optional<int> track = std::nullopt, const PlayOptions& options = {});

// Plays through the built-in synthesiser as the window would, in real time.
int PlayAloud(const std::string& in, std::ostream& err, std::optional<int> track = std::nullopt,
              const PlayOptions& options = {});

int ExportMidiFile(const std::string& in, const std::string& outPath, std::ostream& err,
                   std::optional<int> track = std::nullopt, const PlayOptions& options = {});

// progressBar: draw a progress bar on err (err is a terminal).
int RenderWaveFile(const std::string& in, const std::string& outPath, bool progressBar,
                   std::ostream& err, std::optional<int> track = std::nullopt,
                   const PlayOptions& options = {});

}  // namespace fretlux
