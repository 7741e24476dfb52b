// SPDX-License-Identifier: MIT
// The JSON lines of a take's truth, and of what a listener said about the take: per sounding
// column (in the form fretlux-cli listen prints, the notes played under "played" where the
// listener's line has "heard"), and per note for the tuner (the form fretlux-cli tune prints).
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "student_take.h"
#include "tuner_take.h"

namespace fretlux::takes {

struct ColumnLine {
    int tab = 0;
    int column = 0;
    std::int64_t timeMs = 0;
    std::vector<int> expected;
    std::vector<int> notes;  // played, in a truth file; heard, in a listener's
    std::string verdict;
    std::optional<double> offsetMs;
};

// The counts of a listener's closing summary line.
struct VerdictSummary {
    int columns = 0;
    int right = 0;
    int wrong = 0;
    int missed = 0;
};

struct ColumnLines {
    std::vector<ColumnLine> columns;
    std::optional<VerdictSummary> summary;
    std::vector<std::string> unreadable;  // lines that are not what either form holds
};

void WriteColumnTruth(std::ostream& out, const std::vector<TakenColumn>& columns);
void WriteTunerTruth(std::ostream& out, const std::vector<TunerReading>& readings);

// notesKey is "played" for a truth file, "heard" for fretlux-cli listen's output.
ColumnLines ReadColumnLines(std::string_view text, std::string_view notesKey);
// Lines that are not readings go to unreadable.
std::vector<TunerReading> ReadTunerLines(std::string_view text,
                                         std::vector<std::string>& unreadable);

}  // namespace fretlux::takes
