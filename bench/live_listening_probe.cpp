// SPDX-License-Identifier: MIT
// How soon the live listener reports what it hears, and what listening costs: a recording (a
// WAVE file named on the command line, else plucked notes made here) is played in real time in
// the microphone's place, as FRETLUX_INPUT_FILE does, into the analysis thread. Prints per note
// the delay from its onset in the input to the onset report and to the measured note, the
// tuner's readings per second, and the process's CPU time per second of listening.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <numbers>
#include <thread>
#include <vector>

#include "input/sample_clock.h"
#include "input/wave_file_input.h"
#include "listening/analysis_thread.h"
#include "listening/wave_reader.h"

namespace {

using fretlux::MonoAudio;
using Clock = std::chrono::steady_clock;

// A scale of plucked notes from A2 up, each partial fading faster than the one below it.
MonoAudio PluckedScale(int rate) {
    const int notes[] = {45, 47, 48, 50, 52, 53, 55, 57, 59, 60, 62, 64, 65, 67, 69, 71};
    const double spacing = 0.5;
    MonoAudio audio{rate, std::vector<float>(static_cast<std::size_t>(rate * (spacing * 17)))};
    for (std::size_t n = 0; n < std::size(notes); ++n) {
        const double hertz = 440.0 * std::pow(2.0, (notes[n] - 69) / 12.0);
        const auto start = static_cast<std::size_t>((n + 0.5) * spacing * rate);
        for (std::size_t i = 0; i < static_cast<std::size_t>(spacing * rate); ++i) {
            const double t = static_cast<double>(i) / rate;
            double value = 0.0;
            for (int k = 1; k <= 6; ++k) {
                value +=
                    std::exp(-t * 3.0 * k) / k * std::sin(2 * std::numbers::pi * hertz * k * t);
            }
            audio.samples[start + i] += static_cast<float>(0.3 * value);
        }
    }
    return audio;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& v) { return v.tv_sec + v.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double Median(std::vector<double> values) {
    if (values.empty()) return NAN;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class AnalysisSink final : public fretlux::SampleSink {
public:
    explicit AnalysisSink(fretlux::AnalysisThread*& analysis) : analysis_(analysis) {}
    void Take(std::span<const float> samples) noexcept override { analysis_->Push(samples); }

private:
    fretlux::AnalysisThread*& analysis_;
};

}  // namespace

int main(int argc, char** argv) {
    MonoAudio audio;
    if (argc > 1) {
        fretlux::TakeReading take = fretlux::ReadTakeFile(argv[1]);
        if (!take.audio) {
            std::fprintf(stderr, "%s\n", take.error.c_str());
            return 1;
        }
        audio = std::move(*take.audio);
    } else {
        audio = PluckedScale(44100);
    }
    const double seconds = static_cast<double>(audio.samples.size()) / audio.sampleRate;

    std::mutex mutex;
    std::vector<double> onsetDelays, noteDelays;
    int readings = 0;
    fretlux::AnalysisThread* analysis = nullptr;
    AnalysisSink sink(analysis);
    fretlux::SampleClock clock(sink, audio.sampleRate);
    const auto delayOf = [&](std::int64_t sample) {
        return std::chrono::duration<double, std::milli>(Clock::now() - clock.TimeOf(sample))
            .count();
    };
    fretlux::ListeningReports reports;
    reports.reading = [&](const fretlux::TunerReading&) {
        const std::lock_guard lock(mutex);
        ++readings;
    };
    reports.onset = [&](std::int64_t sample) {
        const std::lock_guard lock(mutex);
        onsetDelays.push_back(delayOf(sample));
    };
    reports.note = [&](const fretlux::TunerNote& note) {
        const std::lock_guard lock(mutex);
        noteDelays.push_back(delayOf(note.onsetSample));
        std::printf("note %d at %.3f s, %+.1f cents, reported %.1f ms after its onset\n",
                    note.pitch.midi, static_cast<double>(note.onsetSample) / audio.sampleRate,
                    note.pitch.cents, noteDelays.back());
    };
    fretlux::AnalysisThread thread(audio.sampleRate, std::move(reports));
    analysis = &thread;
    fretlux::WaveFileInput input(audio.sampleRate, std::move(audio.samples));
    const double cpuBefore = CpuSeconds();
    input.Start(clock);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds + 0.5));
    input.Stop();
    thread.Stop();
    const double cpu = CpuSeconds() - cpuBefore;

    const std::lock_guard lock(mutex);
    std::printf(
        "onsets %zu: median delay %.1f ms, longest %.1f ms\n", onsetDelays.size(),
        Median(onsetDelays),
        onsetDelays.empty() ? NAN : *std::max_element(onsetDelays.begin(), onsetDelays.end()));
    std::printf("notes %zu: median delay %.1f ms, longest %.1f ms\n", noteDelays.size(),
                Median(noteDelays),
                noteDelays.empty() ? NAN : *std::max_element(noteDelays.begin(), noteDelays.end()));
    std::printf("tuner readings %.1f a second\n", readings / (seconds + 0.5));
    std::printf("CPU %.1f %% of one core\n", 100.0 * cpu / (seconds + 0.5));
    std::printf("samples dropped %llu\n", static_cast<unsigned long long>(thread.DroppedSamples()));
    return 0;
}
