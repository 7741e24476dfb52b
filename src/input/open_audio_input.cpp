// SPDX-License-Identifier: MIT
#include "input/open_audio_input.h"

#include <cstdlib>

#include "input/portaudio_input.h"
#include "input/wave_file_input.h"
#include "listening/wave_reader.h"

namespace fretlux {

OpenedAudioInput OpenAudioInput(const InputChoice& choice) {
    if (const char* file = std::getenv(kInputFileVariable); file != nullptr && *file != '\0') {
        TakeReading take = ReadTakeFile(file);
        if (!take.audio) return {nullptr, take.error};
        return {
            std::make_unique<WaveFileInput>(take.audio->sampleRate, std::move(take.audio->samples)),
            {}};
    }
    auto device = std::make_unique<PortAudioInput>(choice.kind == InputKind::Audio ? choice.device
                                                                                   : std::string());
    if (!device->Error().empty()) return {nullptr, "No audio input: " + device->Error() + "."};
    return {std::move(device), {}};
}

}  // namespace fretlux
