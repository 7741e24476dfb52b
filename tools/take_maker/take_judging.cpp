// SPDX-License-Identifier: MIT
#include "take_judging.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace fretlux::takes {

namespace {

// A reading belongs to the note whose onset is nearest, within this.
constexpr std::int64_t kOnsetWindowMs = 100;

std::string Where(const ColumnLine& line) {
    return "TAB " + std::to_string(line.tab) + " column " + std::to_string(line.column) + " (" +
           std::to_string(line.timeMs) + " ms)";
}

std::string NoteList(const std::vector<int>& notes) {
    std::string text = "[";
    for (size_t i = 0; i < notes.size(); ++i) text += (i ? ", " : "") + std::to_string(notes[i]);
    return text + "]";
}

void CheckSummary(const ColumnLines& heard, VerdictScores& scores) {
    if (!heard.summary) {
        scores.disagreements.push_back("the listener wrote no summary line");
        return;
    }
    VerdictSummary counted{static_cast<int>(heard.columns.size()), 0, 0, 0};
    for (const ColumnLine& line : heard.columns) {
        counted.right += line.verdict == "right";
        counted.wrong += line.verdict == "wrong";
        counted.missed += line.verdict == "missed";
    }
    const VerdictSummary& said = *heard.summary;
    if (said.columns != counted.columns || said.right != counted.right ||
        said.wrong != counted.wrong || said.missed != counted.missed) {
        scores.disagreements.push_back("the summary does not count the listener's own lines");
    }
}

}  // namespace

VerdictScores JudgeVerdicts(const ColumnLines& truth, const ColumnLines& heard) {
    VerdictScores scores;
    for (const std::string& line : heard.unreadable) {
        scores.disagreements.push_back("unreadable line: " + line);
    }
    CheckSummary(heard, scores);
    std::map<std::pair<int, int>, const ColumnLine*> heardAt;
    for (const ColumnLine& line : heard.columns) heardAt[{line.tab, line.column}] = &line;
    if (heard.columns.size() != truth.columns.size()) {
        scores.disagreements.push_back("the listener judged " +
                                       std::to_string(heard.columns.size()) + " columns, not " +
                                       std::to_string(truth.columns.size()));
    }
    for (size_t i = 0; i < truth.columns.size(); ++i) {
        const ColumnLine& played = truth.columns[i];
        ++scores.columns;
        const bool right = played.verdict == "right";
        right ? ++scores.rightColumns : ++scores.faultyColumns;
        const auto found = heardAt.find({played.tab, played.column});
        if (found == heardAt.end()) {
            scores.disagreements.push_back(Where(played) + ": no verdict");
            continue;
        }
        const ColumnLine& judged = *found->second;
        if (i < heard.columns.size() && &heard.columns[i] != &judged) {
            scores.disagreements.push_back(Where(played) + ": out of playing order");
        }
        if (judged.timeMs != played.timeMs || judged.expected != played.expected) {
            scores.disagreements.push_back(Where(played) + ": expected " +
                                           NoteList(played.expected) + ", the listener expected " +
                                           NoteList(judged.expected) + " at " +
                                           std::to_string(judged.timeMs) + " ms");
        }
        if (right && judged.verdict == "right") ++scores.judgedRight;
        if (!right && judged.verdict != "right") ++scores.caught;
        if (judged.notes == played.notes) ++scores.heardAsPlayed;
        if (judged.verdict == played.verdict) {
            ++scores.agreed;
        } else {
            scores.disagreements.push_back(Where(played) + ": played " + NoteList(played.notes) +
                                           " for " + NoteList(played.expected) + ", " +
                                           played.verdict + ", judged " + judged.verdict +
                                           " hearing " + NoteList(judged.notes));
        }
        if (right && judged.verdict == "right" && judged.offsetMs && played.offsetMs) {
            scores.timingErrorMs += std::abs(*judged.offsetMs - *played.offsetMs);
            ++scores.timed;
        }
    }
    return scores;
}

TunerScores JudgeReadings(const std::vector<TunerReading>& truth,
                          const std::vector<TunerReading>& heard) {
    TunerScores scores;
    std::vector<bool> used(heard.size(), false);
    for (const TunerReading& note : truth) {
        ++scores.notes;
        const std::string where = note.note + " at " + std::to_string(note.timeMs) + " ms";
        size_t nearest = heard.size();
        for (size_t h = 0; h < heard.size(); ++h) {
            const std::int64_t distance = std::llabs(heard[h].timeMs - note.timeMs);
            if (used[h] || distance > kOnsetWindowMs) continue;
            if (nearest == heard.size() ||
                distance < std::llabs(heard[nearest].timeMs - note.timeMs)) {
                nearest = h;
            }
        }
        if (nearest == heard.size()) {
            scores.disagreements.push_back(where + ": not heard");
            continue;
        }
        used[nearest] = true;
        const TunerReading& reading = heard[nearest];
        if (reading.midi != note.midi || reading.string != note.string ||
            reading.note != note.note) {
            scores.disagreements.push_back(where + " on string " + std::to_string(note.string) +
                                           ": heard " + reading.note + " (" +
                                           std::to_string(reading.midi) + ") on string " +
                                           std::to_string(reading.string));
            continue;
        }
        ++scores.named;
        const double error = std::abs(reading.cents - note.cents);
        scores.centsError += error;
        scores.worstCentsError = std::max(scores.worstCentsError, error);
    }
    for (size_t h = 0; h < heard.size(); ++h) {
        if (used[h]) continue;
        scores.disagreements.push_back("heard " + heard[h].note + " at " +
                                       std::to_string(heard[h].timeMs) +
                                       " ms, where no note began");
    }
    return scores;
}

}  // namespace fretlux::takes
