// SPDX-License-Identifier: MIT
// How the player helps practice: a count-in, the metronome, a slower or faster speed, the speed
// trainer. At their defaults playback is exactly as without them.
#pragma once

#include <optional>

#include "playback/beat_grid.h"
#include "playback/metronome_clicks.h"
#include "playback/speed_trainer.h"
#include "playback/tempo_scale.h"

namespace fretlux {

inline constexpr int kMaxCountInBars = 2;

struct PracticeSettings {
    int countInBars = 0;
    bool metronome = false;
    int metronomeVolume = kMaxMetronomeVolume;
    BeatSettings beats;
    int speedPercent = kFullSpeedPercent;
    // A looped selection plays its passes at the trainer's speeds instead.
    std::optional<SpeedTrainerSettings> trainer;

    friend bool operator==(const PracticeSettings&, const PracticeSettings&) = default;
};

// A selection played over and over a given number of times, then playback ends: what a script
// asks for where the window loops until Stop.
struct LoopedSelection {
    int tab = 1;     // 1-based, as the window counts TABs
    int first = 0;   // 0-based columns, as the window counts them
    int last = 0;    // included
    int passes = 1;  // every pass counts, the first one too

    friend bool operator==(const LoopedSelection&, const LoopedSelection&) = default;
};

struct PlayOptions {
    PracticeSettings practice;
    std::optional<LoopedSelection> loop;

    friend bool operator==(const PlayOptions&, const PlayOptions&) = default;
};

}  // namespace fretlux
