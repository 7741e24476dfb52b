// SPDX-License-Identifier: MIT
// The commands of fretlux-cli that listen to a take, a WAVE file of someone playing: the tuner's
// notes, and the take judged against the columns of a TAB file.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace fretlux {

// One JSON line per note heard: its onset, the nearest open string of standard tuning (6 = low
// E), the note's name and MIDI number, and how many cents it is off.
int PrintTunedNotes(const std::string& take, std::ostream& out, std::ostream& err);

// One JSON line per column of in that begins notes, in playing order, with what was heard there
// and the verdict, then a line with the summary. The take's first sample is the press of Start.
int PrintTakeJudgement(const std::string& in, const std::string& take, std::ostream& out,
                       std::ostream& err, std::optional<int> track = std::nullopt);

}  // namespace fretlux
