// SPDX-License-Identifier: MIT
// Playing along with the player, in either mode, from Start to the end or over a loop's passes:
// what the player asks at each column, what the listener heard, what the fretboard and the TAB
// view show, and the summary after each pass with the best scores kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "playalong/best_scores.h"
#include "playalong/scored_play_along.h"
#include "playalong/waiting_play_along.h"

namespace fretlux {

class PlayAlongSession {
public:
    // A right column stays green this long before playback goes on.
    static constexpr std::int64_t kGreenMs = 300;

    // file names the document for the best scores; times are milliseconds on one clock, the
    // heard onsets' with the input latency taken off.
    PlayAlongSession(PlayAlongMode mode, std::string file, BestScores& best);

    PlayAlongMode Mode() const { return mode_; }

    // Wait mode. The player stands at a column with notes: true when it may go past it (played
    // right, and shown green for a moment); otherwise it holds there.
    bool MayPass(const PlayAlongColumn& column, std::int64_t nowMs);
    const WaitingPlayAlong& Waiting() const { return wait_; }

    // Score mode. The player sounded a column with notes.
    void Sounded(PlayAlongColumn column);
    // A pass is over (a loop starts again, or the music has ended): its columns are still judged
    // as the sound of its last ones reaches the listener, and the next pass begins.
    void EndPass();
    // How far the guitar lies from concert pitch, as Score mode has heard it, in cents.
    double TuningOffsetCents() const { return score_.TuningOffsetCents(); }
    // Judges what can be judged, all onsets up to heardUntilMs having been heard. Returns the
    // summary of a pass that is over once all its columns are judged, keeping new best scores;
    // empty otherwise.
    std::string Advance(double heardUntilMs);
    // The playing stopped: every column left is judged as it stands. Returns the summary of the
    // last pass with columns.
    std::string Finish();
    // The judgements so far of the earliest pass not yet summarised, for the TAB view.
    const std::vector<ColumnJudgement>& Marks() const { return judged_; }
    // The judgements of the pass summarised last.
    const std::vector<ColumnJudgement>& LastPass() const { return lastPass_; }

    // Something began in the input. Wait mode judges every hearing of an onset: a column turns
    // green at the first that completes it, so at once for a single note, later for a strum,
    // and back when a later hearing finds a wrong note; Score mode judges the whole hearing only.
    void Hear(const HeardOnset& onset, std::int64_t nowMs);

private:
    // Summarises the passes that are over and fully judged; the text of the last of them.
    std::string SummariseJudgedPasses();

    PlayAlongMode mode_;
    std::string file_;
    BestScores& best_;
    WaitingPlayAlong wait_;
    std::optional<std::pair<int, int>> waitingAt_;  // the TAB and column Wait holds at
    std::int64_t rightAt_ = 0;
    ScoredPlayAlong score_;
    std::vector<ColumnJudgement> judged_;  // from the earliest pass not yet summarised on
    std::deque<std::size_t> passLengths_;  // in columns, of the passes over, not yet summarised
    std::size_t soundedInPass_ = 0;        // columns sounded since the last pass ended
    std::vector<ColumnJudgement> lastPass_;
};

// "12 of 15 columns right, 2 wrong, 1 missed. Timing: 8 ms late on average, spread 14 ms."
std::string SummaryText(const TakeSummary& summary);

}  // namespace fretlux
