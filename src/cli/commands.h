// SPDX-License-Identifier: MIT
// The commands of fretlux-cli, callable in-process: they report through the two streams given
// and return the exit code.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace fretlux {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFileFailure = 1;  // a file could not be read or written
inline constexpr int kExitUsage = 2;        // the arguments name no command

// Reads the TAB file at in (enhanced form when its name ends in "FLX" in any case, else plain)
// and writes the document to outPath in the form its name selects the same way. An existing
// file at outPath is replaced only once the new one is written whole. A file without a TAB
// block gives an empty output file.
int ConvertTabFile(const std::string& in, const std::string& outPath, std::ostream& err,
                   std::optional<int> track = std::nullopt);

// Reads the TAB file at in and writes it to outPath as MusicXML, at the tempo, volume and patch
// the window would play it at.
int ExportMusicXmlFile(const std::string& in, const std::string& outPath, std::ostream& err,
                       std::optional<int> track = std::nullopt);

// True, once reported on err, when outPath names the file being read: a MIDI, WAVE or MusicXML
// file written there would destroy the TAB.
bool RefusedAsInput(const std::string& in, const std::string& outPath, std::ostream& err);

// Reads the TAB file at in and prints the document as one line of JSON.
int DumpTabFile(const std::string& in, std::ostream& out, std::ostream& err,
                std::optional<int> track = std::nullopt);

// Flushes out; a write that failed is reported on err, with kExitFileFailure.
int FinishStandardOutput(std::ostream& out, std::ostream& err);

// args are the arguments after the program name.
int RunCommandLine(std::vector<std::string> args, std::ostream& out, std::ostream& err);

}  // namespace fretlux
