// SPDX-License-Identifier: MIT
#include "input/wave_file_input.h"

#include <algorithm>
#include <chrono>

namespace fretlux {
namespace {

// As many frames as a sound card hands over at a time.
constexpr std::size_t kBlockFrames = 256;

}  // namespace

WaveFileInput::WaveFileInput(int sampleRate, std::vector<float> samples)
    : sampleRate_(sampleRate), samples_(std::move(samples)) {}

WaveFileInput::~WaveFileInput() { Stop(); }

bool WaveFileInput::Start(SampleSink& sink) {
    if (!player_.joinable()) {
        player_ = std::jthread([this, &sink](std::stop_token stop) { Play(stop, sink); });
    }
    return true;
}

void WaveFileInput::Stop() {
    if (!player_.joinable()) return;
    player_.request_stop();
    player_.join();
}

void WaveFileInput::Play(std::stop_token stop, SampleSink& sink) {
    using Clock = std::chrono::steady_clock;
    const std::vector<float> silence(kBlockFrames, 0.0f);
    const Clock::time_point start = Clock::now();
    // Each block is handed over once it has "sounded", on an absolute schedule that does not
    // drift however late a wake-up comes.
    for (std::size_t position = 0; !stop.stop_requested(); position += kBlockFrames) {
        const auto due = start + std::chrono::nanoseconds(static_cast<long long>(
                                     (position + kBlockFrames) * 1e9 / sampleRate_));
        std::this_thread::sleep_until(due);
        if (position < samples_.size()) {
            const std::size_t count = std::min(kBlockFrames, samples_.size() - position);
            sink.Take({samples_.data() + position, count});
            if (count < kBlockFrames) sink.Take({silence.data(), kBlockFrames - count});
        } else {
            sink.Take(silence);
        }
    }
}

}  // namespace fretlux
