// SPDX-License-Identifier: MIT
#include "playalong/tuner_form.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "exports/note_spelling.h"

namespace fretlux {

void TunerForm::Show(const TunerReading& reading) {
    levelDb_ = reading.levelDb;
    if (reading.pitched) {
        hasPitch_ = true;
        pitch_ = reading.pitch;
        pitchedAt_ = reading.endSample;
    } else if (reading.endSample - pitchedAt_ >
               static_cast<std::int64_t>(sampleRate_) * kHoldMs / 1000) {
        hasPitch_ = false;
    }
}

std::string TunerForm::StringText() const {
    if (!hasPitch_) return {};
    static constexpr std::array<const char*, 7> kNames = {"",  "high E", "B",    "G",
                                                          "D", "A",      "low E"};
    const int string = std::clamp(pitch_.openString, 1, 6);
    return "String " + std::to_string(string) + " (" + kNames[string] + ")";
}

std::string TunerForm::NoteText() const {
    return hasPitch_ ? NoteNameWithOctave(pitch_.midi) : std::string();
}

std::string TunerForm::CentsText() const {
    if (!hasPitch_) return {};
    const double tenths = std::round(pitch_.cents * 10.0) / 10.0;
    if (tenths == 0.0) return "0.0 cents";
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f cents", tenths);
    return text;
}

double TunerForm::NeedleCents() const { return hasPitch_ ? pitch_.cents : 0.0; }

bool TunerForm::InTune() const { return hasPitch_ && std::fabs(pitch_.cents) <= kInTuneCents; }

}  // namespace fretlux
