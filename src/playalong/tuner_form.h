// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "listening/tuner.h"

namespace fretlux {

// The Tuner window: the nearest string of standard tuning, the note, and a needle from -50 to
// +50 cents that turns green within 3 cents. A pitch stays shown for a moment after the string
// fades, so that the needle does not flicker between readings.
class TunerForm {
public:
    static constexpr double kNeedleRangeCents = 50.0;
    static constexpr double kInTuneCents = 3.0;
    static constexpr int kHoldMs = 600;

    explicit TunerForm(int sampleRate) : sampleRate_(sampleRate) {}

    void Show(const TunerReading& reading);

    // Whether a pitch is shown; the texts are empty and the needle rests at 0 otherwise.
    bool HasPitch() const { return hasPitch_; }
    // "String 6 (low E)" .. "String 1 (high E)".
    std::string StringText() const;
    // The nearest note with its octave, "E2".
    std::string NoteText() const;
    // "+12.3 cents", "-0.4 cents", "0.0 cents".
    std::string CentsText() const;
    // Never beyond kNeedleRangeCents: a pitch further off is nearer the next note.
    double NeedleCents() const;
    bool InTune() const;
    // The input's loudness at the latest reading, dB below full scale.
    double LevelDb() const { return levelDb_; }

private:
    int sampleRate_;
    bool hasPitch_ = false;
    TunedPitch pitch_;
    std::int64_t pitchedAt_ = 0;
    double levelDb_ = -120.0;
};

}  // namespace fretlux
