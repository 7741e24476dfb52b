// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace fretlux {

enum class InputKind { None, Audio, Midi };

// What Settings > Input chose, remembered between runs.
struct InputChoice {
    InputKind kind = InputKind::None;
    // The device's or port's name; for audio, empty means the system's default device.
    std::string device;
    // How long the playing takes from Fretlux's sound to its onset in the input.
    int latencyMs = 0;
    // The student hears Fretlux through headphones, so a microphone does not hear its sound and
    // Score mode may play the music and the metronome while it listens.
    bool headphones = false;

    bool operator==(const InputChoice&) const = default;
};

inline constexpr int kLongestInputLatencyMs = 1000;

}  // namespace fretlux
