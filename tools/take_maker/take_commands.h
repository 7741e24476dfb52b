// SPDX-License-Identifier: MIT
// The commands of take_maker, callable in-process by the listening benchmark. Each reports on
// err and returns the exit code: 0 done (for the judges: the listener agreed with the truth
// throughout), 1 a file failed (for the judges: a disagreement), 2 wrong arguments.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "student_take.h"
#include "take_judging.h"

namespace fretlux::takes {

struct TakeRequest {
    std::string in;
    std::optional<int> track;
    std::string wavePath;
    std::string truthPath;
    std::string soundfont;  // empty: the one fretlux-cli render would choose
    StudentHabits habits;
    std::optional<double> noiseDecibelsBelow;
    double detuneCents = 0;  // the student's guitar, every string alike; flat when negative
};

// Renders a student's take of a document and writes its truth.
int MakeTake(const TakeRequest& request, std::ostream& err);

enum class TunerSource { PluckedStrings, Synthesiser };

struct TunerTakeRequest {
    TunerSource source = TunerSource::PluckedStrings;
    std::string wavePath;
    std::string truthPath;
    std::uint64_t seed = 1;
    int notes = 12;
    int patch = 25;
    std::string soundfont;
    std::optional<double> noiseDecibelsBelow;
};

int MakeTunerTake(const TunerTakeRequest& request, std::ostream& err);

// Writes TABs first..last (1-based) of in as an enhanced-form document: a take of a whole lesson
// is longer than a test or a benchmark needs.
int WriteExcerpt(const std::string& in, int first, int last, const std::string& out,
                 std::ostream& err);

// Reads both files and judges; the scores, and nothing when a file cannot be read.
std::optional<VerdictScores> JudgeListening(const std::string& truthPath,
                                            const std::string& heardPath, std::ostream& err);
std::optional<TunerScores> JudgeTuning(const std::string& truthPath, const std::string& heardPath,
                                       std::ostream& err);

}  // namespace fretlux::takes
