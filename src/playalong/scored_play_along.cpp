// SPDX-License-Identifier: MIT
#include "playalong/scored_play_along.h"

#include <algorithm>
#include <cmath>

namespace fretlux {

void ScoredPlayAlong::Expect(PlayAlongColumn column) { pending_.push_back(std::move(column)); }

void ScoredPlayAlong::Hear(HeardOnset onset) { onsets_.push_back(std::move(onset)); }

std::vector<ColumnJudgement> ScoredPlayAlong::JudgeUntil(double heardUntilMs) {
    std::vector<ColumnJudgement> judged;
    while (!pending_.empty() &&
           static_cast<double>(pending_.front().milliseconds + kSettleMs) <= heardUntilMs) {
        judged.push_back(JudgeFirstPending());
    }
    return judged;
}

std::vector<ColumnJudgement> ScoredPlayAlong::Finish() {
    std::vector<ColumnJudgement> judged;
    while (!pending_.empty()) judged.push_back(JudgeFirstPending());
    onsets_.clear();
    return judged;
}

std::vector<HeardOnset> ScoredPlayAlong::TakeOnsetsOf(double time, double next) {
    std::vector<HeardOnset> mine;
    std::vector<HeardOnset> later;
    for (HeardOnset& onset : onsets_) {
        const double distance = std::fabs(onset.milliseconds - time);
        // On a tie the earlier column takes the onset.
        const bool nearerBefore =
            lastJudgedTime_ &&
            std::fabs(onset.milliseconds - static_cast<double>(*lastJudgedTime_)) <= distance;
        const bool nearerAfter = std::fabs(onset.milliseconds - next) < distance;
        if (nearerAfter || (onset.milliseconds > time && distance > kOnsetReachMs)) {
            later.push_back(std::move(onset));
            continue;
        }
        if (nearerBefore || distance > kOnsetReachMs) continue;
        mine.push_back(std::move(onset));
    }
    onsets_ = std::move(later);
    // A faint onset counts only for a column that no other onset reached.
    if (std::any_of(mine.begin(), mine.end(), [](const HeardOnset& o) { return !o.Faint(); })) {
        std::erase_if(mine, [](const HeardOnset& o) { return o.Faint(); });
    }
    return mine;
}

ColumnJudgement ScoredPlayAlong::JudgeFirstPending() {
    const PlayAlongColumn column = std::move(pending_.front());
    pending_.pop_front();
    const double time = static_cast<double>(column.milliseconds);
    // No next column lies infinitely far.
    const double next =
        pending_.empty() ? INFINITY : static_cast<double>(pending_.front().milliseconds);

    ColumnJudgement judgement;
    judgement.expected = {column.tab, column.column, column.milliseconds, column.Notes()};
    std::optional<double> earliest;
    for (const HeardOnset& onset : TakeOnsetsOf(time, next)) {
        if (onset.sound) tuning_.Hear(*onset.sound, judgement.expected.notes);
        const std::vector<int> notes =
            onset.NotesAgainst(judgement.expected.notes, tuning_.OffsetCents());
        judgement.heard.insert(judgement.heard.end(), notes.begin(), notes.end());
        if (!earliest || onset.milliseconds < *earliest) earliest = onset.milliseconds;
    }
    lastJudgedTime_ = column.milliseconds;

    std::sort(judgement.heard.begin(), judgement.heard.end());
    judgement.heard.erase(std::unique(judgement.heard.begin(), judgement.heard.end()),
                          judgement.heard.end());
    if (judgement.heard.empty()) {
        judgement.verdict = Verdict::Missed;
    } else {
        judgement.verdict =
            judgement.heard == judgement.expected.notes ? Verdict::Right : Verdict::Wrong;
        judgement.offsetMs = std::llround(*earliest - time);
    }
    return judgement;
}

}  // namespace fretlux
