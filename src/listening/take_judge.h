// SPDX-License-Identifier: MIT
// A take judged against the columns the student should play: each onset belongs to the column
// whose time is nearest, within 100 ms; a column is right when every note expected there began
// and no other did, missed when nothing began, wrong otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "listening/wave_reader.h"

namespace fretlux {

// A column that begins notes, and when, in milliseconds since Start (the take's first sample).
struct ExpectedColumn {
    int tab = 0;
    int column = 0;
    std::int64_t milliseconds = 0;
    std::vector<int> notes;  // ascending MIDI note numbers
};

enum class Verdict { Right, Wrong, Missed };

// "right", "wrong" or "missed", as fretlux-cli listen writes them.
std::string_view VerdictName(Verdict verdict);

struct ColumnJudgement {
    ExpectedColumn expected;
    std::vector<int> heard;  // ascending MIDI note numbers that began there
    Verdict verdict = Verdict::Missed;
    // The earliest onset there minus the column's time; nothing when missed.
    std::optional<std::int64_t> offsetMs;
};

inline constexpr std::int64_t kOnsetReachMs = 100;

// One judgement per column, in the columns' order (ascending times).
std::vector<ColumnJudgement> JudgeTake(const MonoAudio& take,
                                       const std::vector<ExpectedColumn>& columns);

// Which column each onset (in milliseconds) belongs to: the index of the column whose time is
// nearest, the earlier on a tie, when within kOnsetReachMs; none otherwise.
std::vector<std::optional<std::size_t>> AssignOnsets(const std::vector<double>& onsetMs,
                                                     const std::vector<ExpectedColumn>& columns);

struct TimingSummary {
    double mean = 0.0;
    double standardDeviation = 0.0;  // of the population
};

struct TakeSummary {
    int columns = 0;
    int right = 0;
    int wrong = 0;
    int missed = 0;
    std::optional<TimingSummary> timing;  // over the right columns; nothing when there are none
};

TakeSummary Summarise(const std::vector<ColumnJudgement>& judgements);

}  // namespace fretlux
