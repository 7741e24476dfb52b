// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "input/audio_input.h"
#include "input/input_choice.h"

namespace fretlux {

struct OpenedAudioInput {
    std::unique_ptr<AudioInput> input;
    std::string error;  // why there is no input
};

// The environment variable naming a WAVE file that stands in for the microphone.
inline constexpr const char* kInputFileVariable = "FRETLUX_INPUT_FILE";

// What the listener hears: the WAVE file FRETLUX_INPUT_FILE names, played in real time, else
// the recording device chosen (the system's default when none was chosen, or a MIDI port was).
OpenedAudioInput OpenAudioInput(const InputChoice& choice);

}  // namespace fretlux
