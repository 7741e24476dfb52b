// SPDX-License-Identifier: MIT
#include "sound/wave_rendering.h"

#include <cstdint>
#include <thread>

namespace fretlux {

namespace {

constexpr std::size_t kWaveHeaderBytes = 44;
constexpr std::size_t kBytesPerFrame = 4;

}  // namespace

std::unique_ptr<SoundfontSynth> CreateRenderingSynth(std::string& failure) {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return SoundfontSynth::Create(ChooseSoundfont(), failure, cores);
}

RenderedWave RenderWaveBytes(const std::vector<TimedMidiMessage>& events,
                             const ProgressReport& progress,
                             const std::function<bool()>& stopRequested) {
    RenderedWave wave;
    std::string failure;
    const auto synth = CreateRenderingSynth(failure);
    if (!synth) {
        wave.failure = "no sound to render: " + failure;
        return wave;
    }
    const auto rate = static_cast<std::uint32_t>(static_cast<int>(synth->SampleRate()));
    const auto expectedFrames = static_cast<std::size_t>(RenderedFrameCount(events, rate, {}));
    wave.bytes = WaveHeader(rate, 0);
    wave.bytes.reserve(kWaveHeaderBytes + kBytesPerFrame * expectedFrames);
    std::uint64_t frames = 0;
    bool tooLong = false;
    const FrameSink sink = [&](std::span<const float> left, std::span<const float> right) {
        if (stopRequested && stopRequested()) {
            wave.cancelled = true;
            return false;
        }
        if (frames + left.size() > MostWaveFrames()) {
            tooLong = true;
            return false;
        }
        AppendPcmFrames(wave.bytes, left, right);
        frames += left.size();
        return true;
    };
    if (!RenderOffline(*synth, events, sink, progress, failure)) {
        wave.bytes.clear();
        if (!wave.cancelled) {
            wave.failure = tooLong ? "the sound is too long for a WAVE file" : failure;
        }
        return wave;
    }
    wave.bytes.replace(0, kWaveHeaderBytes, WaveHeader(rate, frames));
    return wave;
}

}  // namespace fretlux
