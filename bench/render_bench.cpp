// SPDX-License-Identifier: MIT
// How many times faster than real time a piece renders to sound offline, with TimGM6mb: a minute
// of strummed six-string chords every 123 ms with a single note between them, into a sink that
// drops the sound and through the WAVE writer into a temporary file. The counter
// times_real_time is seconds of sound per second of wall-clock time. Variants show what the
// block size and the reverb and chorus cost.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "playback/midi_state.h"
#include "playback/wave_file.h"
#include "sound/offline_render.h"
#include "sound/soundfont_synth.h"

namespace fretlux {
namespace {

constexpr std::int64_t kPieceMilliseconds = 60'000;
constexpr std::int64_t kStepMilliseconds = 123;
constexpr std::int64_t kTailMilliseconds = 2000;
const SoundfontChoice kSoundfont = {kTimGm6mbSoundfont, false};

// What the player sends for a strummed piece: each chord ends the notes before it, and a single
// note on the top string sounds halfway to the next chord.
std::vector<TimedMidiMessage> StrummedPiece() {
    const int chords[][6] = {{40, 47, 52, 56, 59, 64},   // E
                             {45, 52, 57, 61, 64, 69},   // A
                             {43, 47, 50, 55, 59, 67},   // G
                             {38, 45, 50, 57, 62, 66}};  // D
    std::vector<TimedMidiMessage> events = {{0, PackShortMessage(0xC0, 25, 0)}};
    std::vector<int> sounding;
    const auto endSounding = [&](std::int64_t time) {
        for (const int note : sounding) events.push_back({time, PackShortMessage(0x90, note, 0)});
        sounding.clear();
    };
    int step = 0;
    for (std::int64_t time = 0; time < kPieceMilliseconds; time += kStepMilliseconds, ++step) {
        endSounding(time);
        for (const int note : chords[(step / 8) % 4]) {
            events.push_back({time, PackShortMessage(0x90, note, 90 + step % 3 * 10)});
            sounding.push_back(note);
        }
        const int single = 64 + (step * 5) % 12;
        events.push_back({time + kStepMilliseconds / 2, PackShortMessage(0x90, single, 100)});
        sounding.push_back(single);
    }
    endSounding(kPieceMilliseconds);
    return events;
}

struct Variant {
    std::size_t blockFrames = 4096;
    bool effects = true;  // reverb and chorus
    int cpuCores = 1;
};

std::unique_ptr<SoundfontSynth> MakeSynth(const Variant& variant, std::string& failure) {
    std::unique_ptr<SoundfontSynth> synth =
        SoundfontSynth::Create(kSoundfont, failure, variant.cpuCores);
    if (synth && !variant.effects) {
        synth->Fluid().fluid_synth_reverb_on(synth->Synth(), -1, 0);
        synth->Fluid().fluid_synth_chorus_on(synth->Synth(), -1, 0);
    }
    return synth;
}

void ReportSpeed(benchmark::State& state) {
    const double seconds = double(kPieceMilliseconds + kTailMilliseconds) / 1000;
    state.counters["times_real_time"] =
        benchmark::Counter(seconds, benchmark::Counter::kIsIterationInvariantRate);
}

void RenderToNothing(benchmark::State& state, Variant variant) {
    const std::vector<TimedMidiMessage> events = StrummedPiece();
    const FrameSink drop = [](std::span<const float> left, std::span<const float> right) {
        benchmark::DoNotOptimize(left.data());
        benchmark::DoNotOptimize(right.data());
        return true;
    };
    for (auto _ : state) {
        state.PauseTiming();
        std::string failure;
        std::unique_ptr<SoundfontSynth> synth = MakeSynth(variant, failure);
        state.ResumeTiming();
        if (!synth || !RenderOffline(*synth, events, drop, {}, failure,
                                     {kTailMilliseconds, variant.blockFrames})) {
            state.SkipWithError(failure.c_str());
            return;
        }
    }
    ReportSpeed(state);
}

void RenderToWaveFile(benchmark::State& state, Variant variant) {
    const std::vector<TimedMidiMessage> events = StrummedPiece();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("fretlux-render-bench-" + std::to_string(getpid()) + ".wav");
    for (auto _ : state) {
        state.PauseTiming();
        std::string failure;
        std::unique_ptr<SoundfontSynth> synth = MakeSynth(variant, failure);
        state.ResumeTiming();
        WaveFileWriter writer;
        const FrameSink write = [&writer](std::span<const float> left,
                                          std::span<const float> right) {
            return writer.Append(left, right);
        };
        const bool written = synth && writer.Open(path.string(), int(synth->SampleRate())) &&
                             RenderOffline(*synth, events, write, {}, failure,
                                           {kTailMilliseconds, variant.blockFrames}) &&
                             writer.Finish();
        if (!written) {
            state.SkipWithError((failure + " " + writer.Error()).c_str());
            break;
        }
    }
    std::filesystem::remove(path);
    ReportSpeed(state);
}

}  // namespace
}  // namespace fretlux

int main(int argc, char** argv) {
    using namespace fretlux;
    // Wall-clock time, since the WAVE file's writes count as much as the synthesiser's work.
    const auto add = [](const std::string& name, auto function, Variant variant) {
        benchmark::RegisterBenchmark(name.c_str(), function, variant)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    };
    if (std::filesystem::exists(kSoundfont.path)) {
        // What fretlux-cli render does: every core the machine has.
        const int cores = static_cast<int>(std::thread::hardware_concurrency());
        add("RenderToWaveFile/TimGM6mb/cores:" + std::to_string(cores), RenderToWaveFile,
            Variant{4096, true, cores});
        add("RenderToNothing/TimGM6mb", RenderToNothing, Variant{});
        add("RenderToWaveFile/TimGM6mb", RenderToWaveFile, Variant{});
        for (const std::size_t block : {64, 256, 1024, 16384}) {
            add("RenderToNothing/TimGM6mb/block:" + std::to_string(block), RenderToNothing,
                Variant{block, true});
        }
        add("RenderToNothing/TimGM6mb/no_reverb_chorus", RenderToNothing, Variant{4096, false});
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
