// SPDX-License-Identifier: MIT
// The commands of fretlux-cli that play a TAB file: to a log of MIDI messages, to the sound card,
// to a Standard MIDI File, and to a WAVE file rendered faster than real time.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace fretlux {

// One line per message sent from the press of Start on: milliseconds since Start, status,
// data 1 and data 2, in decimal, separated by single spaces.
int LogPlayback(const std::string& in, std::ostream& out, std::ostream& err,
                std::optional<int> track = std::nullopt);

// Plays through the built-in synthesiser as the window would, in real time.
int PlayAloud(const std::string& in, std::ostream& err, std::optional<int> track = std::nullopt);

int ExportMidiFile(const std::string& in, const std::string& outPath, std::ostream& err,
                   std::optional<int> track = std::nullopt);

// progressBar: draw a progress bar on err (err is a terminal).
int RenderWaveFile(const std::string& in, const std::string& outPath, bool progressBar,
                   std::ostream& err, std::optional<int> track = std::nullopt);

}  // namespace fretlux
