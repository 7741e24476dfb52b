// SPDX-License-Identifier: MIT
#include "listening/analysis_thread.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iterator>

#include "listening/expected_onset.h"
#include "listening/take_judge.h"
#include "listening/tuning_offset.h"

namespace fretlux {

namespace {

// The thread looks for new samples this often; the audio callback cannot wake it without a
// system call, which it must not make.
constexpr auto kPollInterval = std::chrono::milliseconds(2);
constexpr double kHistorySeconds = 1.0;
// The sound before an onset that its judging compares with what follows: as long as the longest
// stretch after it, and the gap the judging leaves before the onset.
constexpr double kBeforeSeconds = 0.2;
constexpr std::size_t kPopBlock = 512;
// A keen onset this near an ordinary one is that onset heard early or late. The ordinary
// detector may report an onset some hops after it, so a keen onset is taken for faint only once
// the input is this much further on.
constexpr double kNearOnsetSeconds = 0.05;
constexpr double kReportDelaySeconds = 0.03;

}  // namespace

AnalysisThread::AnalysisThread(int sampleRate, ListeningReports reports, double ringSeconds,
                               double playedBefore)
    : sampleRate_(sampleRate),
      reports_(std::move(reports)),
      ring_(static_cast<std::size_t>(ringSeconds * sampleRate)),
      level_(sampleRate, playedBefore),
      onsets_(sampleRate),
      keenOnsets_(sampleRate, OnsetKeenness::Keen),
      tuner_(sampleRate),
      hops_(onsets_.HopSize()),
      history_(static_cast<std::size_t>(kHistorySeconds * sampleRate)) {
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
        while ((count = ring_.Pop(block)) > 0) {
            const std::span<float> popped = std::span<float>(block).first(count);
            BringToListeningLevel(popped);
            Analyse(popped);
        }
        if (stopping) return;
        std::this_thread::sleep_for(kPollInterval);
    }
}

void AnalysisThread::BringToListeningLevel(std::span<float> samples) {
    const double previous = level_.Gain();
    level_.Apply(samples);
    if (level_.Gain() == previous) return;
    const auto change = static_cast<float>(level_.Gain() / previous);
    for (float& sample : history_.Held()) sample *= change;
}

void AnalysisThread::Analyse(std::span<const float> samples) {
    // The tuner and play-along each find onsets their own way; only what is reported is worked out.
    if (reports_.reading) tuner_.Feed(samples, reports_.reading);
    if (!reports_.onset && !reports_.sound) return;
    history_.Add(samples);
    hops_.Add(samples, [this](std::span<const float> hop) { FeedHop(hop); });
    const std::int64_t now = history_.End();
    HearPendingOnset(now);
    HearFaintOnsets(now);
    SearchExpectedNotes(now);
}

void AnalysisThread::FeedHop(std::span<const float> hop) {
    const auto near = [this](std::int64_t a, std::int64_t b) {
        return a >= 0 && b >= 0 && std::abs(a - b) < SecondsAfter(0, kNearOnsetSeconds);
    };
    if (const auto found = onsets_.Feed(hop)) {
        const std::int64_t onset = found->sample;
        if (pendingOnset_ >= 0) EndPendingOnset(onset);
        if (keenCandidate_ && near(keenCandidate_->sample, onset)) keenCandidate_.reset();
        if (keenCandidate_) TakeKeenCandidateForFaint();
        if (faintOnset_) EndFaintOnset(onset);
        pendingOnset_ = onset;
        latestOnset_ = onset;
        recentOnsets_.push_back(*found);
        hearingsReported_ = 0;
        if (reports_.onset) reports_.onset(onset);
    }
    if (const auto keen = keenOnsets_.Feed(hop); keen && !near(keen->sample, latestOnset_)) {
        // One where the sound grew no louder is kept only for notes that nothing else finds,
        // unless the listener waits for notes.
        if (keen->louder || reports_.unswelled) keenCandidate_ = *keen;
        recentOnsets_.push_back(*keen);
    }
    std::erase_if(recentOnsets_,
                  [this](const Onset& onset) { return onset.sample < history_.Start(); });
}

void AnalysisThread::HearPendingOnset(std::int64_t now) {
    if (pendingOnset_ < 0) return;
    const std::int64_t whole = SecondsAfter(pendingOnset_, kHearingSeconds.back());
    if (now >= whole) {
        EndPendingOnset(whole);
        return;
    }
    // Only the latest hearing reached counts: the analysis may have fallen behind.
    std::size_t reached = hearingsReported_;
    while (now >= SecondsAfter(pendingOnset_, kHearingSeconds[reached])) ++reached;
    if (reached > hearingsReported_) {
        ReportSound(pendingOnset_, previousOnset_,
                    SecondsAfter(pendingOnset_, kHearingSeconds[reached - 1]), {.whole = false});
        hearingsReported_ = reached;
    }
}

void AnalysisThread::EndPendingOnset(std::int64_t until) {
    ReportSound(pendingOnset_, previousOnset_, until, {});
    previousOnset_ = pendingOnset_;
    pendingOnset_ = -1;
}

void AnalysisThread::HearFaintOnsets(std::int64_t now) {
    if (keenCandidate_ &&
        now >= SecondsAfter(keenCandidate_->sample, kNearOnsetSeconds + kReportDelaySeconds)) {
        TakeKeenCandidateForFaint();
    }
    if (faintOnset_ && now >= SecondsAfter(faintOnset_->sample, kHearingSeconds.back())) {
        EndFaintOnset(SecondsAfter(faintOnset_->sample, kHearingSeconds.back()));
    }
}

void AnalysisThread::TakeKeenCandidateForFaint() {
    if (faintOnset_) EndFaintOnset(keenCandidate_->sample);
    faintOnset_ = keenCandidate_;
    faintSince_ = std::max<std::int64_t>(latestOnset_, 0);
    keenCandidate_.reset();
}

void AnalysisThread::EndFaintOnset(std::int64_t until) {
    ReportSound(faintOnset_->sample, faintSince_, until,
                {.faint = true, .louder = faintOnset_->louder});
    faintOnset_.reset();
}

void AnalysisThread::ExpectNotes(std::int64_t sample, std::vector<int> notes, double offsetCents) {
    std::lock_guard lock(expectedMutex_);
    expected_.push_back({sample, std::move(notes), offsetCents});
}

void AnalysisThread::SearchExpectedNotes(std::int64_t now) {
    const std::int64_t reach = kOnsetReachMs * sampleRate_ / 1000;
    std::vector<ExpectedNotes> due;
    {
        std::lock_guard lock(expectedMutex_);
        const auto isDue = [&](const ExpectedNotes& e) {
            return now >= SecondsAfter(e.sample + reach, kHearingSeconds.back());
        };
        std::copy_if(expected_.begin(), expected_.end(), std::back_inserter(due), isDue);
        std::erase_if(expected_, isDue);
    }
    for (const ExpectedNotes& e : due) {
        if (NearestOnset(e.sample, true)) continue;
        std::optional<std::int64_t> at =
            OnsetOfNotes(history_.Held(), RateHeardInTune(sampleRate_, e.offsetCents), e.notes,
                         e.sample - reach - history_.Start(), e.sample + reach - history_.Start());
        const bool louder = at.has_value();
        if (at) {
            *at += history_.Start();
        } else {
            at = NearestOnset(e.sample, false);
        }
        if (!at) continue;
        std::int64_t since = 0;
        for (const Onset& earlier : recentOnsets_) {
            if (earlier.louder && earlier.sample < *at) since = std::max(since, earlier.sample);
        }
        ReportSound(*at, since, SecondsAfter(*at, kHearingSeconds.back()),
                    {.faint = true, .louder = louder});
    }
}

std::optional<std::int64_t> AnalysisThread::NearestOnset(std::int64_t sample, bool louder) const {
    const std::int64_t reach = kOnsetReachMs * sampleRate_ / 1000;
    std::optional<std::int64_t> nearest;
    for (const Onset& onset : recentOnsets_) {
        const std::int64_t distance = std::abs(onset.sample - sample);
        if (onset.louder == louder && distance <= reach &&
            (!nearest || distance < std::abs(*nearest - sample))) {
            nearest = onset.sample;
        }
    }
    return nearest;
}

std::int64_t AnalysisThread::SecondsAfter(std::int64_t sample, double seconds) const {
    return sample + static_cast<std::int64_t>(seconds * sampleRate_);
}

void AnalysisThread::ReportSound(std::int64_t onset, std::int64_t since, std::int64_t until,
                                 Hearing hearing) const {
    const std::int64_t start = std::max(history_.Start(), SecondsAfter(onset, -kBeforeSeconds));
    const std::int64_t end = std::min(until, history_.End());
    if (!reports_.sound || onset < start || end <= onset) return;
    const auto at = [start](std::int64_t sample) {
        return static_cast<std::size_t>(sample - start);
    };
    auto sound = std::make_shared<OnsetSound>();
    sound->onsetSample = onset;
    sound->sampleRate = sampleRate_;
    sound->whole = hearing.whole;
    const std::span<const float> heard = history_.Between(start, end);
    sound->samples.assign(heard.begin(), heard.end());
    sound->onsets = {
        at(std::max(since, start)), at(onset), at(onset), at(end), hearing.faint, hearing.louder};
    reports_.sound(std::move(sound));
}

}  // namespace fretlux
