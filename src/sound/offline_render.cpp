// SPDX-License-Identifier: MIT
#include "sound/offline_render.h"

#include <algorithm>
#include <cmath>

namespace fretlux {
namespace {

constexpr double kProgressStep = 0.01;

// Reports progress no more often than the bar can show a change.
class ProgressThrottle {
public:
    explicit ProgressThrottle(const ProgressReport& report) : report_(report) {}

    void Report(double fraction) {
        if (!report_ || fraction <= reported_) return;
        if (fraction < 1.0 && fraction - reported_ < kProgressStep) return;
        report_(fraction);
        reported_ = fraction;
    }

private:
    const ProgressReport& report_;
    double reported_ = -1;
};

}  // namespace

std::int64_t FrameAtMillisecond(std::int64_t milliseconds, std::int64_t sampleRate) {
    if (milliseconds <= 0) return 0;
    // Whole numbers throughout, so that no length of piece loses a frame to rounding.
    const std::int64_t product = milliseconds * sampleRate;
    std::int64_t frame = product / 1000;
    const std::int64_t remainder = product % 1000;
    if (remainder > 500 || (remainder == 500 && frame % 2 == 1)) ++frame;
    return frame;
}

std::int64_t RenderedFrameCount(const std::vector<TimedMidiMessage>& events,
                                std::int64_t sampleRate, const OfflineRenderOptions& options) {
    std::int64_t last = 0;
    for (const TimedMidiMessage& event : events) last = std::max(last, event.milliseconds);
    return FrameAtMillisecond(last + std::max<std::int64_t>(options.tailMilliseconds, 0),
                              sampleRate);
}

bool RenderOffline(SoundfontSynth& synth, const std::vector<TimedMidiMessage>& events,
                   const FrameSink& sink, const ProgressReport& progress, std::string& failure,
                   const OfflineRenderOptions& options) {
    const std::int64_t rate = std::llround(synth.SampleRate());
    if (rate <= 0) {
        failure = "the synthesiser has no sample rate";
        return false;
    }
    const std::int64_t total = RenderedFrameCount(events, rate, options);
    const std::int64_t block = std::max<std::int64_t>(std::int64_t(options.blockFrames), 1);
    std::vector<float> left(
        static_cast<std::size_t>(std::min(block, std::max(total, std::int64_t{1}))));
    std::vector<float> right(left.size());
    ProgressThrottle throttle(progress);
    throttle.Report(0.0);

    std::size_t next = 0;
    std::int64_t position = 0;
    while (position < total) {
        // Events out of order are sent as soon as they are reached rather than skipped.
        while (next < events.size() &&
               FrameAtMillisecond(events[next].milliseconds, rate) <= position) {
            synth.Send(events[next].message);
            ++next;
        }
        std::int64_t end = std::min(position + std::int64_t(left.size()), total);
        if (next < events.size()) {
            end = std::min(end, FrameAtMillisecond(events[next].milliseconds, rate));
        }
        const std::size_t frames = static_cast<std::size_t>(end - position);
        const std::span<float> leftBlock(left.data(), frames);
        const std::span<float> rightBlock(right.data(), frames);
        if (!synth.Render(leftBlock, rightBlock)) {
            failure = "the synthesiser could not render the sound";
            return false;
        }
        if (!sink(leftBlock, rightBlock)) {
            failure = "the rendered sound could not be stored";
            return false;
        }
        position = end;
        throttle.Report(double(position) / double(total));
    }
    throttle.Report(1.0);
    return true;
}

}  // namespace fretlux
