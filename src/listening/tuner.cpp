// SPDX-License-Identifier: MIT
#include "listening/tuner.h"

#include <algorithm>
#include <cmath>

#include "listening/input_level.h"
#include "listening/onsets.h"
#include "listening/pitch_measure.h"
#include "listening/pitch_names.h"

namespace fretlux {

namespace {

// A pluck's first moments are noise and a pitch that settles: the steady part starts after them,
// and where the note lasts, only once its pitch has settled (a recorded string's first partial
// wanders by several cents over its first few tenths of a second).
constexpr double kAttackSeconds = 0.06;
constexpr double kSettledSeconds = 0.3;
// The steady part measured; longer adds little precision and more of the string's decay.
constexpr double kLongestSteadySeconds = 1.0;
constexpr double kShortestSteadySeconds = 0.045;
// The sound before the onset ends a little ahead of it, as an onset is placed within a hop or two.
constexpr double kGuardBeforeOnsetSeconds = 0.01;
constexpr double kLongestBeforeSeconds = 0.15;
// Whether a note began at all is told from the sound just after the pick's click.
constexpr double kPluckSeconds = 0.025;
constexpr double kAttackLookSeconds = 0.05;
// A note has ended when its level falls this far below its loudest, or below the floor.
constexpr double kEndBelowPeakDb = 40.0;
constexpr double kSilenceDb = -60.0;
constexpr double kLevelStepSeconds = 0.01;
// The live tuner's window and how often it reads.
constexpr double kLiveWindowSeconds = 0.15;
constexpr double kReadingsPerSecond = 20.0;
// The live tuner keeps this much sound: its window, and before it the sound ahead of an onset,
// which the onset detector reports some hops after it happened.
constexpr double kRecentSeconds = 0.5;

// Where the note from onset fades to silence, at the latest at end. Its attack does not count: an
// onset may be heard at a faint breath of a string, or at the pick's noise, a few tens of
// milliseconds before the string sounds out.
std::size_t NoteEnd(std::span<const float> samples, std::size_t onset, std::size_t end,
                    int sampleRate) {
    const auto step = static_cast<std::size_t>(kLevelStepSeconds * sampleRate);
    double loudest = kSilenceDb;
    const std::size_t start =
        std::min(end, onset + static_cast<std::size_t>(kAttackSeconds * sampleRate));
    for (std::size_t at = start; at + step <= end; at += step) {
        const double level = LevelDb(samples.subspan(at, step));
        loudest = std::max(loudest, level);
        if (level < std::max(kSilenceDb, loudest - kEndBelowPeakDb)) return at;
    }
    return end;
}

}  // namespace

TunedPitch TunedPitchOf(double hertz) {
    const NearestNote nearest = NearestNoteOf(hertz);
    return {hertz, nearest.midi, nearest.cents, NearestOpenString(NoteOfFrequency(hertz))};
}

std::optional<TunedPitch> MeasureNote(std::span<const float> samples, int sampleRate,
                                      std::size_t since, std::size_t onset, std::size_t end) {
    const auto seconds = [sampleRate](double s) {
        return static_cast<std::size_t>(s * sampleRate);
    };
    if (onset + seconds(kAttackSeconds + kShortestSteadySeconds) > end) return std::nullopt;
    const std::size_t steadyEnd =
        std::min(end, onset + seconds(kSettledSeconds + kLongestSteadySeconds));
    const std::size_t steadyStart =
        std::max(onset + seconds(kAttackSeconds),
                 steadyEnd - std::min(steadyEnd, seconds(kLongestSteadySeconds)));
    const std::size_t steadyLength = steadyEnd - steadyStart;
    const auto steady = samples.subspan(steadyStart, steadyLength);
    // What sounded just before the onset, so that strings still ringing from the notes before
    // are not measured instead of the one that began.
    const std::size_t beforeEnd =
        std::max(since, onset - std::min(onset, seconds(kGuardBeforeOnsetSeconds)));
    const std::size_t beforeStart =
        std::max(since, beforeEnd - std::min(beforeEnd, seconds(kLongestBeforeSeconds)));
    const auto before = samples.subspan(beforeStart, beforeEnd - beforeStart);
    const std::size_t attackStart = std::min(end, onset + seconds(kPluckSeconds));
    const auto attack = samples.subspan(
        attackStart, std::min(end, attackStart + seconds(kAttackLookSeconds)) - attackStart);
    if (!NoteBegan(attack, before, sampleRate)) return std::nullopt;
    const auto hertz = MeasurePitch(steady, sampleRate, before);
    if (!hertz) return std::nullopt;
    return TunedPitchOf(*hertz);
}

std::vector<TunerNote> HearNotes(const MonoAudio& recorded) {
    const MonoAudio audio = AtListeningLevel(recorded);
    const std::span<const float> samples(audio.samples);
    const std::vector<Onset> onsets = DetectOnsets(audio);
    const auto at = [&](std::size_t i) {
        return i < onsets.size()
                   ? std::min(samples.size(),
                              static_cast<std::size_t>(std::max<std::int64_t>(0, onsets[i].sample)))
                   : samples.size();
    };
    // An onset too soon after a note's onset to leave it room to be measured is the same pluck
    // heard twice (its click, then its string): the note runs on to the onset after.
    const auto shortest =
        static_cast<std::size_t>((kAttackSeconds + kShortestSteadySeconds) * audio.sampleRate);
    std::vector<TunerNote> notes;
    for (std::size_t i = 0; i < onsets.size(); ++i) {
        std::size_t next = i + 1;
        while (next < onsets.size() && at(next) < at(i) + shortest) ++next;
        const std::size_t end = NoteEnd(samples, at(i), at(next), audio.sampleRate);
        const std::size_t since = i == 0 ? 0 : at(i - 1);
        if (const auto pitch = MeasureNote(samples, audio.sampleRate, since, at(i), end)) {
            notes.push_back({onsets[i].sample, *pitch});
            i = next - 1;
        }
    }
    return notes;
}

LiveTuner::LiveTuner(int sampleRate)
    : sampleRate_(sampleRate),
      interval_(static_cast<int>(sampleRate / kReadingsPerSecond)),
      windowSize_(static_cast<std::size_t>(kLiveWindowSeconds * sampleRate)),
      recent_(static_cast<std::size_t>(kRecentSeconds * sampleRate), windowSize_),
      onsets_(sampleRate),
      hops_(onsets_.HopSize()) {}

void LiveTuner::Feed(std::span<const float> samples,
                     const std::function<void(const TunerReading&)>& report) {
    while (!samples.empty()) {
        const auto take = std::min<std::size_t>(samples.size(), interval_ - sinceReading_);
        recent_.Add(samples.first(take));
        hops_.Add(samples.first(take), [this](std::span<const float> hop) {
            if (const auto onset = onsets_.Feed(hop)) RememberSoundBefore(onset->sample);
        });
        samples = samples.subspan(take);
        sinceReading_ += static_cast<int>(take);
        if (sinceReading_ == interval_) {
            sinceReading_ = 0;
            report(Read());
        }
    }
}

void LiveTuner::RememberSoundBefore(std::int64_t onset) {
    const auto seconds = [this](double s) { return static_cast<std::int64_t>(s * sampleRate_); };
    const std::int64_t end = onset - seconds(kGuardBeforeOnsetSeconds);
    const std::span<const float> before =
        recent_.Between(end - seconds(kLongestBeforeSeconds), end);
    before_.assign(before.begin(), before.end());
}

TunerReading LiveTuner::Read() const {
    TunerReading reading;
    reading.endSample = recent_.End();
    const std::span<const float> window = recent_.Held().last(windowSize_);
    reading.levelDb = LevelDb(window);
    if (reading.levelDb < kSilenceDb) return reading;
    if (const auto hertz = MeasurePitch(window, sampleRate_, before_)) {
        reading.pitched = true;
        reading.pitch = TunedPitchOf(*hertz);
    }
    return reading;
}

}  // namespace fretlux
