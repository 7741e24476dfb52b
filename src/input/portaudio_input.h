// SPDX-License-Identifier: MIT
// Recording through PortAudio, which reaches plain ALSA devices as well as PulseAudio and
// PipeWire (through their ALSA plug-ins), and calls back on a real-time thread of its own.
#pragma once

#include <string>
#include <vector>

#include "input/audio_input.h"

namespace fretlux {

// The names of the devices that can record; empty when there are none (or no audio system).
std::vector<std::string> ListAudioInputDevices();

class PortAudioInput final : public AudioInput {
public:
    // An empty name means the system's default recording device.
    explicit PortAudioInput(std::string deviceName);
    ~PortAudioInput() override;
    PortAudioInput(const PortAudioInput&) = delete;
    PortAudioInput& operator=(const PortAudioInput&) = delete;

    int SampleRate() const override { return sampleRate_; }
    bool RecordsTheRoom() const override { return true; }
    bool Start(SampleSink& sink) override;
    void Stop() override;
    std::string Error() const override { return error_; }

    // The recording callback; public only so that PortAudio's C callback can reach it.
    void Deliver(const float* interleaved, unsigned long frames) noexcept;

private:
    bool initialised_ = false;
    int device_ = -1;
    int channels_ = 1;
    int sampleRate_ = 0;
    std::string error_;
    void* stream_ = nullptr;
    SampleSink* sink_ = nullptr;
    // Room for one callback's frames mixed down to one channel, made before recording starts.
    std::vector<float> mono_;
};

}  // namespace fretlux
