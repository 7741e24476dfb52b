// SPDX-License-Identifier: MIT
// Playing along with the player, in either mode, from Start to the end or over a loop's passes:
// what the player asks at each column, what the listener heard, what the fretboard and the TAB
// view show, and the summary after each pass with the best scores kept.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "playalong/best_scores.h"
#include "playalong/scored_play_along.h"
#include "playalong/waiting_play_along.h"

namespace fretlux {

enum class PlayAlongMode { Wait, Score };

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
    // Judges what can be judged, all onsets up to heardUntilMs having been heard.
    void Advance(double heardUntilMs);
    // The current pass's judgements so far, for the TAB view.
    const std::vector<ColumnJudgement>& Marks() const { return score_.Judgements(); }
    // The pass is over (the end of the music, or a loop starting again): judges the rest, keeps
    // new best scores, and returns the summary to show. The next pass starts afresh.
    std::string EndPass();
    // The judgements of the pass that ended last.
    const std::vector<ColumnJudgement>& LastPass() const { return lastPass_; }

    // Something began in the input. Wait mode judges every hearing of an onset: a column turns
    // green at the first that completes it, so at once for a single note, later for a strum,
    // and back when a later hearing finds a wrong note; Score mode judges the whole hearing only.
    void Hear(const HeardOnset& onset, std::int64_t nowMs);

private:
    PlayAlongMode mode_;
    std::string file_;
    BestScores& best_;
    WaitingPlayAlong wait_;
    std::optional<std::pair<int, int>> waitingAt_;  // the TAB and column Wait holds at
    std::int64_t rightAt_ = 0;
    ScoredPlayAlong score_;
    std::vector<ColumnJudgement> lastPass_;
};

// "12 of 15 columns right, 2 wrong, 1 missed. Timing: 8 ms late on average, spread 14 ms."
std::string SummaryText(const TakeSummary& summary);

}  // namespace fretlux
