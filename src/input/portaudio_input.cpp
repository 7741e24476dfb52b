// SPDX-License-Identifier: MIT
#include "input/portaudio_input.h"

#include <portaudio.h>

#include <algorithm>

#include "input/alsa_diagnostics.h"

namespace fretlux {
namespace {

constexpr unsigned long kFramesPerCallback = 256;

PaError Initialise() {
    QuietAlsaDiagnostics();
    return Pa_Initialize();
}

// PortAudio counts its initialisations: every successful Pa_Initialize is matched by one
// Pa_Terminate.
class PortAudioUse {
public:
    PortAudioUse() : ok_(Initialise() == paNoError) {}
    ~PortAudioUse() {
        if (ok_) Pa_Terminate();
    }
    PortAudioUse(const PortAudioUse&) = delete;
    PortAudioUse& operator=(const PortAudioUse&) = delete;
    bool Ok() const { return ok_; }

private:
    bool ok_;
};

int Record(const void* input, void*, unsigned long frames, const PaStreamCallbackTimeInfo*,
           PaStreamCallbackFlags, void* user) {
    if (input != nullptr) {
        static_cast<PortAudioInput*>(user)->Deliver(static_cast<const float*>(input), frames);
    }
    return paContinue;
}

int FindInputDevice(const std::string& name) {
    if (name.empty()) return Pa_GetDefaultInputDevice();
    for (int device = 0; device < Pa_GetDeviceCount(); ++device) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
        if (info != nullptr && info->maxInputChannels > 0 && name == info->name) return device;
    }
    return paNoDevice;
}

}  // namespace

std::vector<std::string> ListAudioInputDevices() {
    std::vector<std::string> names;
    const PortAudioUse use;
    if (!use.Ok()) return names;
    for (int device = 0; device < Pa_GetDeviceCount(); ++device) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
        if (info != nullptr && info->maxInputChannels > 0) names.emplace_back(info->name);
    }
    return names;
}

PortAudioInput::PortAudioInput(std::string deviceName) {
    const PaError initialised = Initialise();
    if (initialised != paNoError) {
        error_ = Pa_GetErrorText(initialised);
        return;
    }
    initialised_ = true;
    device_ = FindInputDevice(deviceName);
    const PaDeviceInfo* info = device_ == paNoDevice ? nullptr : Pa_GetDeviceInfo(device_);
    if (info == nullptr) {
        error_ = deviceName.empty() ? "no audio input device" : "no input device " + deviceName;
        return;
    }
    // Two channels at most: a guitar is heard on one, a stereo microphone's pair is mixed down.
    channels_ = std::min(info->maxInputChannels, 2);
    sampleRate_ = static_cast<int>(info->defaultSampleRate);
    mono_.resize(kFramesPerCallback);
}

PortAudioInput::~PortAudioInput() {
    Stop();
    if (initialised_) Pa_Terminate();
}

bool PortAudioInput::Start(SampleSink& sink) {
    if (!error_.empty()) return false;
    if (stream_ != nullptr) return true;
    sink_ = &sink;
    PaStreamParameters parameters{};
    parameters.device = device_;
    parameters.channelCount = channels_;
    parameters.sampleFormat = paFloat32;
    parameters.suggestedLatency = Pa_GetDeviceInfo(device_)->defaultLowInputLatency;
    PaStream* stream = nullptr;
    PaError result = Pa_OpenStream(&stream, &parameters, nullptr, sampleRate_, kFramesPerCallback,
                                   paClipOff, &Record, this);
    if (result == paNoError) {
        result = Pa_StartStream(stream);
        if (result != paNoError) Pa_CloseStream(stream);
    }
    if (result != paNoError) {
        error_ = Pa_GetErrorText(result);
        return false;
    }
    stream_ = stream;
    return true;
}

void PortAudioInput::Stop() {
    if (stream_ == nullptr) return;
    Pa_StopStream(static_cast<PaStream*>(stream_));
    Pa_CloseStream(static_cast<PaStream*>(stream_));
    stream_ = nullptr;
}

void PortAudioInput::Deliver(const float* interleaved, unsigned long frames) noexcept {
    if (channels_ == 1) {
        sink_->Take({interleaved, frames});
        return;
    }
    while (frames > 0) {
        const std::size_t count = std::min<std::size_t>(frames, mono_.size());
        for (std::size_t i = 0; i < count; ++i) {
            mono_[i] = 0.5f * (interleaved[2 * i] + interleaved[2 * i + 1]);
        }
        sink_->Take({mono_.data(), count});
        interleaved += 2 * count;
        frames -= count;
    }
}

}  // namespace fretlux
