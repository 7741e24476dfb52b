// SPDX-License-Identifier: MIT
#include "playalong/play_along_session.h"

#include <cmath>
#include <cstdio>

namespace fretlux {

namespace {

// The listener hears a guitar out of tune as it is, but the playback is at concert pitch, and a
// guitar this far from it beats audibly against it.
constexpr double kAudiblyOutOfTuneCents = 10.0;

// A line that asks the student to tune a guitar that lies audibly far from concert pitch, with
// the newline before it; empty for one near enough.
std::string TuningText(double offsetCents) {
    if (std::fabs(offsetCents) < kAudiblyOutOfTuneCents) return {};
    return "\nYour guitar sounds " + std::to_string(std::lround(std::fabs(offsetCents))) +
           " cents " + (offsetCents < 0 ? "flat" : "sharp") + ": tune it with Play ▸ Tuner.";
}

}  // namespace

PlayAlongSession::PlayAlongSession(PlayAlongMode mode, std::string file, BestScores& best)
    : mode_(mode), file_(std::move(file)), best_(best) {}

bool PlayAlongSession::MayPass(const PlayAlongColumn& column, std::int64_t nowMs) {
    const std::pair<int, int> at{column.tab, column.column};
    if (waitingAt_ != at) {
        waitingAt_ = at;
        wait_.Expect(column);
    }
    switch (wait_.Current()) {
        case WaitingPlayAlong::State::Holding:
            return false;
        case WaitingPlayAlong::State::Right:
            if (nowMs - rightAt_ < kGreenMs) return false;
            wait_.Release();
            break;
        case WaitingPlayAlong::State::Idle:
            break;
    }
    waitingAt_.reset();
    return true;
}

void PlayAlongSession::Sounded(PlayAlongColumn column) {
    score_.Expect(std::move(column));
    ++soundedInPass_;
}

void PlayAlongSession::EndPass() {
    if (soundedInPass_ == 0) return;
    passLengths_.push_back(soundedInPass_);
    soundedInPass_ = 0;
}

std::string PlayAlongSession::Advance(double heardUntilMs) {
    const std::vector<ColumnJudgement> judged = score_.JudgeUntil(heardUntilMs);
    judged_.insert(judged_.end(), judged.begin(), judged.end());
    return SummariseJudgedPasses();
}

std::string PlayAlongSession::Finish() {
    EndPass();
    const std::vector<ColumnJudgement> judged = score_.Finish();
    judged_.insert(judged_.end(), judged.begin(), judged.end());
    return SummariseJudgedPasses();
}

std::string PlayAlongSession::SummariseJudgedPasses() {
    std::string text;
    while (!passLengths_.empty() && judged_.size() >= passLengths_.front()) {
        const auto end = judged_.begin() + static_cast<std::ptrdiff_t>(passLengths_.front());
        lastPass_.assign(judged_.begin(), end);
        judged_.erase(judged_.begin(), end);
        passLengths_.pop_front();
        text = SummaryText(Summarise(lastPass_));
        for (const int tab : best_.Offer(file_, lastPass_)) {
            text += "\nA new best for TAB " + std::to_string(tab) + ".";
        }
        text += TuningText(score_.TuningOffsetCents());
    }
    return text;
}

void PlayAlongSession::Hear(const HeardOnset& onset, std::int64_t nowMs) {
    if (mode_ == PlayAlongMode::Score) {
        // Columns are judged once an onset can no longer change them, by when the whole
        // hearing has come: judging the first hearing too could only add doubts.
        if (onset.Whole()) score_.Hear(onset);
        return;
    }
    const bool wasRight = wait_.Current() == WaitingPlayAlong::State::Right;
    wait_.Hear(onset);
    if (!wasRight && wait_.Current() == WaitingPlayAlong::State::Right) rightAt_ = nowMs;
}

std::string SummaryText(const TakeSummary& summary) {
    std::string text = std::to_string(summary.right) + " of " + std::to_string(summary.columns) +
                       " columns right, " + std::to_string(summary.wrong) + " wrong, " +
                       std::to_string(summary.missed) + " missed.";
    if (!summary.timing) return text;
    const double mean = summary.timing->mean;
    char timing[96];
    std::snprintf(timing, sizeof timing, " Timing: %.0f ms %s on average, spread %.0f ms.",
                  std::fabs(mean), mean < 0 ? "early" : "late", summary.timing->standardDeviation);
    return text + timing;
}

}  // namespace fretlux
