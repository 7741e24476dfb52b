// SPDX-License-Identifier: MIT
// How well a listener judged a take: its lines set against the take's truth.
#pragma once

#include <string>
#include <vector>

#include "truth_lines.h"

namespace fretlux::takes {

struct VerdictScores {
    int columns = 0;           // in the truth
    int rightColumns = 0;      // played right
    int judgedRight = 0;       // of those, judged right
    int faultyColumns = 0;     // played wrong or left out
    int caught = 0;            // of those, judged anything but right
    int agreed = 0;            // columns whose verdict is the truth's
    int heardAsPlayed = 0;     // columns whose heard notes are the notes played
    double timingErrorMs = 0;  // summed over the right columns judged right
    int timed = 0;
    // Every way the listener's lines differ from the truth, one sentence each.
    std::vector<std::string> disagreements;
};

VerdictScores JudgeVerdicts(const ColumnLines& truth, const ColumnLines& heard);

struct TunerScores {
    int notes = 0;          // in the truth
    int named = 0;          // heard within 100 ms of their onset as the right note and string
    double centsError = 0;  // summed over the named notes
    double worstCentsError = 0;
    std::vector<std::string> disagreements;
};

TunerScores JudgeReadings(const std::vector<TunerReading>& truth,
                          const std::vector<TunerReading>& heard);

}  // namespace fretlux::takes
