// SPDX-License-Identifier: MIT
// What listening costs: the live analysis thread's time per second of input (the share of one
// core it takes while listening), and judging a take offline, on a take of plucked strings and
// chords made here.
#include <benchmark/benchmark.h>

#include <vector>

#include "listening/analysis_thread.h"
#include "listening/take_judge.h"
#include "plucked_strings.h"

namespace fretlux::testing {
namespace {

constexpr int kRate = 44100;
constexpr double kSeconds = 10.0;

// A note or a four-string chord every 250 ms, the strings left ringing.
struct PracticeTake {
    PracticeTake() {
        std::vector<Pluck> plucks;
        for (int i = 0; 0.3 + 0.25 * i < kSeconds - 0.5; ++i) {
            const double at = 0.3 + 0.25 * i;
            std::vector<int> notes = {45 + i % 12};
            if (i % 4 == 3) notes = {48, 52, 55, 60};
            for (std::size_t n = 0; n < notes.size(); ++n) {
                plucks.push_back(
                    {at + 0.008 * n, notes[n], 0.0, static_cast<int>(n + 6 * (i % 2))});
            }
            columns.push_back({1, i, std::llround(at * 1000), notes});
        }
        audio = PluckedTake(plucks, {kRate, kSeconds});
    }
    MonoAudio audio;
    std::vector<ExpectedColumn> columns;
};

const PracticeTake& Take() {
    static const PracticeTake take;
    return take;
}

// Pushes the whole take in callback-sized blocks and waits for the thread to analyse it all:
// the real time taken per second of input is the share of a core listening needs.
void BM_AnalysisThreadPerSecondOfInput(benchmark::State& state) {
    const std::span<const float> samples(Take().audio.samples);
    for (auto _ : state) {
        std::size_t readings = 0;
        AnalysisThread thread(kRate, {[&](const TunerReading&) { ++readings; }, nullptr, nullptr},
                              kSeconds + 1.0);
        for (std::size_t at = 0; at < samples.size(); at += 256) {
            thread.Push(samples.subspan(at, std::min<std::size_t>(256, samples.size() - at)));
        }
        thread.Stop();
        benchmark::DoNotOptimize(readings);
    }
    state.counters["input_seconds"] = kSeconds;
    state.SetLabel("time per iteration / 10 s = share of one core");
}
BENCHMARK(BM_AnalysisThreadPerSecondOfInput)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_JudgeTake(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(JudgeTake(Take().audio, Take().columns));
    state.counters["columns"] = static_cast<double>(Take().columns.size());
    state.counters["input_seconds"] = kSeconds;
}
BENCHMARK(BM_JudgeTake)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fretlux::testing

BENCHMARK_MAIN();
