// SPDX-License-Identifier: MIT
// The tuner: the notes of a take, each from its onset to the next onset or to silence, measured
// over its steady part; and the live readings the window's tuner shows, several a second.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "listening/hop_gatherer.h"
#include "listening/onsets.h"
#include "listening/recent_samples.h"
#include "listening/wave_reader.h"

namespace fretlux {

struct TunedPitch {
    double hertz = 0.0;
    int midi = 0;        // the nearest note
    double cents = 0.0;  // from it, positive when sharp
    int openString = 0;  // the nearest open string of standard tuning, 6 = low E .. 1 = high E
};

TunedPitch TunedPitchOf(double hertz);

struct TunerNote {
    std::int64_t onsetSample = 0;
    TunedPitch pitch;
};

// The pitch of the note that begins at onset and lasts until end, the sound before it having
// begun at since (sample indices): measured over its steady part, after the attack.
std::optional<TunedPitch> MeasureNote(std::span<const float> samples, int sampleRate,
                                      std::size_t since, std::size_t onset, std::size_t end);

// Every note of the take with a pitch the tuner hears (70 to 1,000 Hz), in order.
std::vector<TunerNote> HearNotes(const MonoAudio& audio);

// What the window's tuner shows at one moment.
struct TunerReading {
    std::int64_t endSample = 0;  // the reading is of the sound just before this sample
    double levelDb = -120.0;     // the loudness of that sound, dB below full scale
    bool pitched = false;        // whether a pitch was heard; pitch is meaningless otherwise
    TunedPitch pitch;
};

// Reads the pitch of the most recent sound about twenty times a second. A guitarist tunes one
// string while others still ring, and a lower string's partials may hold the whole series of
// the string just plucked (the low E's of the high E): the readings follow what the latest pluck
// added to the sound, as fretlux-cli tune does.
class LiveTuner {
public:
    explicit LiveTuner(int sampleRate);

    // Takes the next samples of the stream and reports each reading that falls due in them.
    void Feed(std::span<const float> samples,
              const std::function<void(const TunerReading&)>& report);

private:
    void RememberSoundBefore(std::int64_t onset);
    TunerReading Read() const;

    int sampleRate_;
    int interval_;
    std::size_t windowSize_;
    RecentSamples recent_;       // the window, and before it the sound ahead of an onset
    std::vector<float> before_;  // the sound just ahead of the latest onset
    OnsetDetector onsets_;
    HopGatherer hops_;
    int sinceReading_ = 0;
};

}  // namespace fretlux
