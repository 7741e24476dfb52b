// SPDX-License-Identifier: MIT
#include "listening/analysis_thread.h"

#include <algorithm>
#include <chrono>

namespace fretlux {

namespace {

// The thread looks for new samples this often; the audio callback cannot wake it without a
// system call, which it must not make.
constexpr auto kPollInterval = std::chrono::milliseconds(2);
constexpr double kHistorySeconds = 1.0;
// A note is measured from the end of its attack over this long, sooner when the next begins.
constexpr double kAttackSeconds = 0.06;
constexpr double kMeasuredSeconds = 0.1;
constexpr std::size_t kPopBlock = 512;

}  // namespace

AnalysisThread::AnalysisThread(int sampleRate, ListeningReports reports, double ringSeconds)
    : sampleRate_(sampleRate),
      reports_(std::move(reports)),
      ring_(static_cast<std::size_t>(ringSeconds * sampleRate)),
      onsets_(sampleRate),
      tuner_(sampleRate),
      hop_(static_cast<std::size_t>(onsets_.HopSize())) {
    history_.reserve(static_cast<std::size_t>(2 * kHistorySeconds * sampleRate));
    thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
}

AnalysisThread::~AnalysisThread() { Stop(); }

void AnalysisThread::Stop() {
    if (!thread_.joinable()) return;
    thread_.request_stop();
    thread_.join();
}

void AnalysisThread::Run(std::stop_token stop) {
    std::vector<float> block(kPopBlock);
    for (;;) {
        // Asked to stop, the thread still drains what was pushed before.
        const bool stopping = stop.stop_requested();
        std::size_t count = 0;
        while ((count = ring_.Pop(block)) > 0) Analyse(std::span<const float>(block).first(count));
        if (stopping) return;
        std::this_thread::sleep_for(kPollInterval);
    }
}

void AnalysisThread::Analyse(std::span<const float> samples) {
    if (reports_.reading)
        tuner_.Feed(samples, reports_.reading);
    else
        tuner_.Feed(samples, [](const TunerReading&) {});
    history_.insert(history_.end(), samples.begin(), samples.end());
    const auto keep = static_cast<std::size_t>(kHistorySeconds * sampleRate_);
    if (history_.size() > 2 * keep) {
        const std::size_t drop = history_.size() - keep;
        history_.erase(history_.begin(), history_.begin() + static_cast<std::ptrdiff_t>(drop));
        historyStart_ += static_cast<std::int64_t>(drop);
    }
    while (!samples.empty()) {
        const std::size_t take = std::min(samples.size(), hop_.size() - hopFill_);
        std::copy_n(samples.begin(), take, hop_.begin() + static_cast<std::ptrdiff_t>(hopFill_));
        hopFill_ += take;
        samples = samples.subspan(take);
        if (hopFill_ < hop_.size()) break;
        hopFill_ = 0;
        if (const auto onset = onsets_.Feed(hop_)) {
            if (pendingOnset_ >= 0) MeasureNote();
            pendingOnset_ = *onset;
            if (reports_.onset) reports_.onset(*onset);
        }
    }
    const std::int64_t now = historyStart_ + static_cast<std::int64_t>(history_.size());
    if (pendingOnset_ >= 0 &&
        now >= pendingOnset_ +
                   static_cast<std::int64_t>((kAttackSeconds + kMeasuredSeconds) * sampleRate_)) {
        MeasureNote();
    }
}

void AnalysisThread::MeasureNote() {
    const std::int64_t onset = pendingOnset_;
    const std::int64_t since = std::max(historyStart_, previousOnset_);
    const std::int64_t end = std::min(
        historyStart_ + static_cast<std::int64_t>(history_.size()),
        onset + static_cast<std::int64_t>((kAttackSeconds + kMeasuredSeconds) * sampleRate_));
    pendingOnset_ = -1;
    previousOnset_ = onset;
    if (onset < historyStart_ || end <= onset || !reports_.note) return;
    const auto at = [this](std::int64_t sample) {
        return static_cast<std::size_t>(sample - historyStart_);
    };
    if (const auto pitch =
            fretlux::MeasureNote(history_, sampleRate_, at(since), at(onset), at(end))) {
        reports_.note({onset, *pitch});
    }
}

}  // namespace fretlux
