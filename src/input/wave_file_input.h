// SPDX-License-Identifier: MIT
// A recording played in the microphone's place, in real time: for demonstrations and for tests
// of the windows that listen, without a device. After its end the input stays silent, as a
// microphone in a quiet room does.
#pragma once

#include <string>
#include <thread>
#include <vector>

#include "input/audio_input.h"

namespace fretlux {

class WaveFileInput final : public AudioInput {
public:
    WaveFileInput(int sampleRate, std::vector<float> samples);
    ~WaveFileInput() override;
    WaveFileInput(const WaveFileInput&) = delete;
    WaveFileInput& operator=(const WaveFileInput&) = delete;

    int SampleRate() const override { return sampleRate_; }
    bool RecordsTheRoom() const override { return false; }
    bool Start(SampleSink& sink) override;
    void Stop() override;
    std::string Error() const override { return {}; }

private:
    void Play(std::stop_token stop, SampleSink& sink);

    int sampleRate_;
    std::vector<float> samples_;
    std::jthread player_;
};

}  // namespace fretlux
