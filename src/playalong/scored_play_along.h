// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "listening/take_judge.h"
#include "listening/tuning_follower.h"
#include "playalong/play_along_column.h"

namespace fretlux {

// Play along in Score mode, through the music and any passes of a loop: the player names each
// column with notes as it sounds it, the listener each onset as it hears it, and every column is
// judged as fretlux-cli listen judges a take: an onset belongs to the column nearest in time within
// kOnsetReachMs (a faint one only where no other onset came); right when just the expected notes
// began there, missed when nothing did, wrong otherwise.
class ScoredPlayAlong {
public:
    // How long after a column's time its judgement may still change: an onset up to
    // kOnsetReachMs late still belongs to it.
    static constexpr std::int64_t kSettleMs = kOnsetReachMs;

    // The player sounded a column; columns come in the order of their times, each by the time
    // the clock reaches it.
    void Expect(PlayAlongColumn column);
    void Hear(HeardOnset onset);
    // Judges the columns that nothing heard later can change, everything before heardUntilMs
    // having been heard, and heardUntilMs lying at least kOnsetReachMs behind the clock (so
    // that a later column that could take an onset from an earlier one is known); returns those
    // judgements.
    std::vector<ColumnJudgement> JudgeUntil(double heardUntilMs);
    // Judges every column left: the playing is over.
    std::vector<ColumnJudgement> Finish();
    // How far the guitar lies from concert pitch, as heard so far, in cents.
    double TuningOffsetCents() const { return tuning_.OffsetCents(); }

private:
    ColumnJudgement JudgeFirstPending();
    // Moves out of onsets_ those of the column at time, the next column being at next; keeps
    // those that a later column may take.
    std::vector<HeardOnset> TakeOnsetsOf(double time, double next);

    std::deque<PlayAlongColumn> pending_;
    std::vector<HeardOnset> onsets_;
    std::optional<std::int64_t> lastJudgedTime_;
    TuningFollower tuning_;
};

}  // namespace fretlux
