// SPDX-License-Identifier: MIT
// The live listener: the audio callback pushes the input's samples into a lock-free ring, and a
// thread of its own takes them out, brings quiet input up to the listening level, finds onsets,
// reads the tuner and keeps the sound around each onset once the note has sounded for a moment.
// What it finds is reported on that thread, through the callbacks.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

#include "listening/hop_gatherer.h"
#include "listening/input_level.h"
#include "listening/onset_sound.h"
#include "listening/onsets.h"
#include "listening/recent_samples.h"
#include "listening/sample_ring.h"
#include "listening/tuner.h"

namespace fretlux {

struct ListeningReports {
    std::function<void(const TunerReading&)> reading;
    // A note began at this sample, counted from the first sample pushed.
    std::function<void(std::int64_t)> onset;
    // The sound around an onset at each of kHearingSeconds after it; the next onset ends the
    // hearings with a whole one. An onset that only a keen ear finds, far from any other, is
    // reported once, whole, with its onsets marked faint: a soft pluck in a noisy room, or the
    // fading of what rang, which only a listener that knows what should be played can tell.
    std::function<void(std::shared_ptr<const OnsetSound>)> sound;
    // Whether a keen onset where the sound grew no louder, far from any other, is reported like a
    // faint one, marked so: a listener that waits for notes judges it by what it waits for, as a
    // note picked again through an overdriven amplifier makes no other onset. Otherwise it stands
    // only for notes expected near it that nothing else finds (see ExpectNotes).
    bool unswelled = false;
};

class AnalysisThread {
public:
    static constexpr double kRingSeconds = 1.0;

    // The ring holds ringSeconds of input, for moments when the analysis falls behind.
    // playedBefore is the loudest playing an earlier listener heard on the same input (see
    // LiveListeningLevel), so that quiet playing is heard from its first note.
    AnalysisThread(int sampleRate, ListeningReports reports, double ringSeconds = kRingSeconds,
                   double playedBefore = 0.0);
    ~AnalysisThread();
    AnalysisThread(const AnalysisThread&) = delete;
    AnalysisThread& operator=(const AnalysisThread&) = delete;

    // For the audio callback: never allocates, locks or waits. Samples that find the ring full
    // are dropped and counted.
    void Push(std::span<const float> samples) noexcept { ring_.Push(samples); }
    std::uint64_t DroppedSamples() const noexcept { return ring_.Dropped(); }

    // Analyses what was pushed so far, then ends the thread. The destructor does it too.
    void Stop();
    // The loudest playing heard, for the next listener on the same input; only once stopped.
    double LoudestPlaying() const { return level_.LoudestPlaying(); }
    // Notes the student should begin at sample, on a guitar tuned offsetCents from concert pitch,
    // from any thread but the audio callback's. Where no onset comes within kOnsetReachMs of it,
    // their partials are searched for their onset (see OnsetOfNotes), which is reported like a
    // keen ear's: once, whole and faint. Where that finds none, a keen onset where the sound grew
    // no louder stands for it, as through an overdriven amplifier.
    void ExpectNotes(std::int64_t sample, std::vector<int> notes, double offsetCents);

private:
    void Run(std::stop_token stop);
    // Scales the input's next samples to the listening level. When the gain changes, the sound
    // kept from before changes with it, so that an onset's judging hears the sound before it and
    // after it at one level.
    void BringToListeningLevel(std::span<float> samples);
    void Analyse(std::span<const float> samples);
    void FeedHop(std::span<const float> hop);
    // Reports the pending onset's hearings that the input has reached.
    void HearPendingOnset(std::int64_t now);
    void EndPendingOnset(std::int64_t until);
    // Takes a keen onset that no ordinary onset came near for a faint one, and reports a faint
    // onset's sound once the input has reached its end.
    void HearFaintOnsets(std::int64_t now);
    void TakeKeenCandidateForFaint();
    void EndFaintOnset(std::int64_t until);
    // Searches for the expected notes that no onset came near, once the input has passed the
    // reach of their time and a whole hearing after it.
    void SearchExpectedNotes(std::int64_t now);
    // The onset within kOnsetReachMs of sample nearest to it, among those where the sound grew
    // louder or among those where it did not.
    std::optional<std::int64_t> NearestOnset(std::int64_t sample, bool louder) const;
    // How an onset's sound is heard: whole or not yet, by the ordinary ear or only a keen one,
    // and whether the sound grew louder there.
    struct Hearing {
        bool whole = true;
        bool faint = false;
        bool louder = true;
    };
    // The sound around onset, from since up to until.
    void ReportSound(std::int64_t onset, std::int64_t since, std::int64_t until,
                     Hearing hearing) const;
    std::int64_t SecondsAfter(std::int64_t sample, double seconds) const;

    int sampleRate_;
    ListeningReports reports_;
    SampleRing ring_;
    LiveListeningLevel level_;
    OnsetDetector onsets_;
    OnsetDetector keenOnsets_;
    LiveTuner tuner_;
    HopGatherer hops_;
    // The latest samples, for the sound around an onset.
    RecentSamples history_;
    std::int64_t pendingOnset_ = -1;    // an onset whose whole sound has not been reported yet
    std::size_t hearingsReported_ = 0;  // of the pending onset
    std::int64_t previousOnset_ = 0;
    std::int64_t latestOnset_ = -1;       // the latest ordinary onset
    std::optional<Onset> keenCandidate_;  // a keen onset that no ordinary onset has come near yet
    std::optional<Onset> faintOnset_;     // a faint onset whose sound has not been reported yet
    std::int64_t faintSince_ = 0;
    std::vector<Onset> recentOnsets_;  // ordinary and keen, within the history
    struct ExpectedNotes {
        std::int64_t sample;
        std::vector<int> notes;
        double offsetCents;
    };
    std::mutex expectedMutex_;
    std::vector<ExpectedNotes> expected_;  // guarded by expectedMutex_
    std::jthread thread_;
};

}  // namespace fretlux
