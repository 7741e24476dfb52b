// SPDX-License-Identifier: MIT
#include "listening/take_judge.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "listening/column_hearing.h"
#include "listening/expected_onset.h"
#include "listening/input_level.h"
#include "listening/onset_look.h"
#include "listening/onsets.h"
#include "listening/tuning_offset.h"

namespace fretlux {

namespace {

std::vector<double> MillisecondsOf(const std::vector<Onset>& onsets, int sampleRate) {
    std::vector<double> milliseconds;
    for (const Onset& onset : onsets) {
        milliseconds.push_back(1000.0 * static_cast<double>(onset.sample) / sampleRate);
    }
    return milliseconds;
}

// Which columns the onsets reach.
std::vector<bool> ColumnsReached(const std::vector<std::optional<std::size_t>>& owners,
                                 std::size_t columns) {
    std::vector<bool> reached(columns, false);
    for (const auto& owner : owners) {
        if (owner) reached[*owner] = true;
    }
    return reached;
}

// Adds an onset, and its owner, keeping the onsets ascending.
void InsertOnset(Onset onset, std::size_t owner, std::vector<Onset>& onsets,
                 std::vector<std::optional<std::size_t>>& owners) {
    const auto at =
        std::lower_bound(onsets.begin(), onsets.end(), onset,
                         [](const Onset& a, const Onset& b) { return a.sample < b.sample; });
    owners.insert(owners.begin() + (at - onsets.begin()), owner);
    onsets.insert(at, onset);
}

// A column that no onset reached is looked at again with a keener ear: a soft pluck in a noisy
// room may have been missed, and the column's notes still tell whether anything began. Such a
// column's keen onsets where the sound grew louder join onsets, and their owners join owners.
void AddKeenOnsets(const std::vector<Onset>& keen,
                   const std::vector<std::optional<std::size_t>>& keenOwners,
                   const std::vector<bool>& reached, std::vector<Onset>& onsets,
                   std::vector<std::optional<std::size_t>>& owners) {
    for (std::size_t i = 0; i < keen.size(); ++i) {
        if (keen[i].louder && keenOwners[i] && !reached[*keenOwners[i]]) {
            InsertOnset(keen[i], *keenOwners[i], onsets, owners);
        }
    }
}

// A column that nothing else found may have been played through an overdriven amplifier, which
// holds the sound at one level: the keen onset where the sound grew no louder nearest its time,
// if any, stands for its notes.
void AddUnswelledOnsets(const std::vector<Onset>& keen,
                        const std::vector<std::optional<std::size_t>>& keenOwners,
                        const std::vector<ExpectedColumn>& columns, int sampleRate,
                        std::vector<Onset>& onsets,
                        std::vector<std::optional<std::size_t>>& owners) {
    const std::vector<bool> reached = ColumnsReached(owners, columns.size());
    std::vector<std::optional<Onset>> nearest(columns.size());
    for (std::size_t i = 0; i < keen.size(); ++i) {
        const std::optional<std::size_t> c = keenOwners[i];
        if (keen[i].louder || !c || reached[*c]) continue;
        const auto distance = [&](const Onset& onset) {
            return std::abs(static_cast<double>(onset.sample) * 1000.0 / sampleRate -
                            static_cast<double>(columns[*c].milliseconds));
        };
        if (!nearest[*c] || distance(keen[i]) < distance(*nearest[*c])) nearest[*c] = keen[i];
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (nearest[c]) InsertOnset(*nearest[c], c, onsets, owners);
    }
}

// A column that even the keen ear missed is looked for by its own notes' partials, within reach
// of its time, heard at hearingRate.
void AddOnsetsOfExpectedNotes(const MonoAudio& take, int hearingRate,
                              const std::vector<ExpectedColumn>& columns,
                              std::vector<Onset>& onsets,
                              std::vector<std::optional<std::size_t>>& owners) {
    const std::vector<bool> reached = ColumnsReached(owners, columns.size());
    const std::int64_t reach = kOnsetReachMs * take.sampleRate / 1000;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (reached[c]) continue;
        const std::int64_t at = columns[c].milliseconds * take.sampleRate / 1000;
        if (const auto onset =
                OnsetOfNotes(take.samples, hearingRate, columns[c].notes, at - reach, at + reach)) {
            InsertOnset({*onset, true}, c, onsets, owners);
        }
    }
}

// Each column's onsets as one group; nothing for a column that none reached. A column that the
// ordinary detector did not reach was heard only faintly.
std::vector<std::optional<OnsetGroup>> OnsetGroups(
    const std::vector<Onset>& onsets, const std::vector<std::optional<std::size_t>>& owners,
    const std::vector<bool>& reachedByOrdinary, std::size_t samples) {
    std::vector<std::optional<OnsetGroup>> groups(reachedByOrdinary.size());
    const auto sampleAt = [&onsets](std::size_t i) {
        return static_cast<std::size_t>(std::max<std::int64_t>(0, onsets[i].sample));
    };
    for (std::size_t c = 0; c < groups.size(); ++c) {
        std::optional<OnsetGroup>& group = groups[c];
        for (std::size_t i = 0; i < onsets.size(); ++i) {
            const std::size_t at = sampleAt(i);
            if (owners[i] == c) {
                if (!group) {
                    const std::size_t since = i == 0 ? 0 : sampleAt(i - 1);
                    group =
                        OnsetGroup{since, at, at, samples, !reachedByOrdinary[c], onsets[i].louder};
                }
                group->last = at;
            } else if (group && at > group->last) {
                group->until = std::min(group->until, at);
            }
        }
    }
    return groups;
}

// How far the guitar lies from concert pitch, heard at the columns that onsets reached.
double OffsetOfTake(const MonoAudio& take, const std::vector<ExpectedColumn>& columns,
                    const std::vector<std::optional<OnsetGroup>>& groups) {
    std::vector<double> offsets;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (!groups[c]) continue;
        const std::optional<Look> look = LookAt(take.samples, take.sampleRate, *groups[c]);
        if (!look) continue;
        if (const auto offset = TuningOffsetAt(*look, columns[c].notes)) offsets.push_back(*offset);
    }
    return MedianOffset(std::move(offsets));
}

Verdict VerdictOf(const std::vector<int>& expected, const std::vector<int>& heard) {
    if (heard.empty()) return Verdict::Missed;
    return heard == expected ? Verdict::Right : Verdict::Wrong;
}

}  // namespace

std::string_view VerdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Right:
            return "right";
        case Verdict::Wrong:
            return "wrong";
        case Verdict::Missed:
            break;
    }
    return "missed";
}

std::vector<std::optional<std::size_t>> AssignOnsets(const std::vector<double>& onsetMs,
                                                     const std::vector<ExpectedColumn>& columns) {
    std::vector<std::optional<std::size_t>> owners;
    for (const double onset : onsetMs) {
        // The first column not earlier than the onset, and the one before it, are the nearest.
        const auto later = std::lower_bound(columns.begin(), columns.end(), onset,
                                            [](const ExpectedColumn& c, double ms) {
                                                return static_cast<double>(c.milliseconds) < ms;
                                            });
        std::optional<std::size_t> nearest;
        double distance = std::numeric_limits<double>::infinity();
        if (later != columns.begin()) {
            nearest = static_cast<std::size_t>(later - columns.begin()) - 1;
            distance = onset - static_cast<double>(columns[*nearest].milliseconds);
        }
        if (later != columns.end() && static_cast<double>(later->milliseconds) - onset < distance) {
            nearest = static_cast<std::size_t>(later - columns.begin());
            distance = static_cast<double>(later->milliseconds) - onset;
        }
        owners.push_back(distance <= static_cast<double>(kOnsetReachMs) ? nearest : std::nullopt);
    }
    return owners;
}

std::vector<ColumnJudgement> JudgeTake(const MonoAudio& recorded,
                                       const std::vector<ExpectedColumn>& columns) {
    const MonoAudio take = AtListeningLevel(recorded);
    std::vector<Onset> onsets = DetectOnsets(take);
    auto owners = AssignOnsets(MillisecondsOf(onsets, take.sampleRate), columns);
    // Only the ordinary detector's onsets are trusted to tell a string plucked again by its
    // broken phase alone.
    const std::vector<bool> reached = ColumnsReached(owners, columns.size());
    const std::vector<Onset> keen = DetectOnsets(take, OnsetKeenness::Keen);
    const auto keenOwners = AssignOnsets(MillisecondsOf(keen, take.sampleRate), columns);
    AddKeenOnsets(keen, keenOwners, reached, onsets, owners);
    const int hearingRate = RateHeardInTune(
        take.sampleRate,
        OffsetOfTake(take, columns, OnsetGroups(onsets, owners, reached, take.samples.size())));
    AddOnsetsOfExpectedNotes(take, hearingRate, columns, onsets, owners);
    AddUnswelledOnsets(keen, keenOwners, columns, take.sampleRate, onsets, owners);
    const auto groups = OnsetGroups(onsets, owners, reached, take.samples.size());
    std::vector<ColumnJudgement> judgements;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        ColumnJudgement judgement{columns[c], {}, Verdict::Missed, std::nullopt};
        const std::optional<OnsetGroup>& group = groups[c];
        if (group) {
            judgement.heard = NotesBegun(take.samples, hearingRate, *group, columns[c].notes);
            judgement.verdict = VerdictOf(columns[c].notes, judgement.heard);
        }
        if (judgement.verdict != Verdict::Missed) {
            const double firstMs = 1000.0 * static_cast<double>(group->first) / take.sampleRate;
            judgement.offsetMs =
                std::llround(firstMs - static_cast<double>(columns[c].milliseconds));
        }
        judgements.push_back(std::move(judgement));
    }
    return judgements;
}

TakeSummary Summarise(const std::vector<ColumnJudgement>& judgements) {
    TakeSummary summary;
    std::vector<double> offsets;
    for (const ColumnJudgement& j : judgements) {
        ++summary.columns;
        switch (j.verdict) {
            case Verdict::Right:
                ++summary.right;
                offsets.push_back(static_cast<double>(*j.offsetMs));
                break;
            case Verdict::Wrong:
                ++summary.wrong;
                break;
            case Verdict::Missed:
                ++summary.missed;
                break;
        }
    }
    if (offsets.empty()) return summary;
    double sum = 0.0;
    for (const double o : offsets) sum += o;
    const double mean = sum / static_cast<double>(offsets.size());
    double squares = 0.0;
    for (const double o : offsets) squares += (o - mean) * (o - mean);
    summary.timing = TimingSummary{mean, std::sqrt(squares / static_cast<double>(offsets.size()))};
    return summary;
}

}  // namespace fretlux
