// SPDX-License-Identifier: MIT
// Costs of the built-in synthesiser, without an audio device: loading each installed General
// MIDI soundfont, PlayNote from the fretboard through to the synthesiser, a patch change, and
// rendering one audio period while six strings sound.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "fretboard/orientation.h"
#include "fretboard/tuning.h"
#include "playback/midi_state.h"
#include "sound/fluidsynth_output.h"
#include "sound/soundfont_synth.h"

namespace fretlux {
namespace {

struct NamedSoundfont {
    const char* name;
    SoundfontChoice choice;
};

const NamedSoundfont kSoundfonts[] = {
    {"TimGM6mb", {kTimGm6mbSoundfont, false}},
    {"FluidR3_GM", {kFluidR3Soundfont, true}},
};

void SoundfontLoad(benchmark::State& state, SoundfontChoice choice) {
    for (auto _ : state) {
        std::string failure;
        std::unique_ptr<SoundfontSynth> synth = SoundfontSynth::Create(choice, failure);
        if (!synth) {
            state.SkipWithError(failure.c_str());
            return;
        }
        state.PauseTiming();
        synth.reset();
        state.ResumeTiming();
    }
}

// The output plays into memory; the time between two notes is rendered outside the measured
// time, as a sound card would pull it, so that released notes end as they would in use.
class OpenOutput {
public:
    explicit OpenOutput(const SoundfontChoice& choice) : output_({choice, false}) {
        output_.Open();
        output_.WaitUntilSetUp();
    }
    FluidSynthOutput& Output() { return output_; }
    bool Render(size_t frames) {
        left_.resize(frames);
        right_.resize(frames);
        return output_.Render(left_, right_);
    }

private:
    FluidSynthOutput output_;
    std::vector<float> left_;
    std::vector<float> right_;
};

void PlayNoteThroughSynth(benchmark::State& state, SoundfontChoice choice) {
    OpenOutput sound(choice);
    const Tuning tuning;
    const Orientation orientation;
    MidiState midi(sound.Output(), tuning, orientation);
    midi.ApplyPatch(25);
    midi.ApplyVolume(100);
    if (!sound.Render(256)) {
        state.SkipWithError(sound.Output().Status().c_str());
        return;
    }
    int step = 0;
    for (auto _ : state) {
        const int row = 1 + step % 6;
        const int fret = (step * 7) % 25;
        const auto start = std::chrono::steady_clock::now();
        midi.PlayNote(fret, row);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        sound.Render(2205);  // 50 ms, a fast tempo
        ++step;
    }
}

void PatchChange(benchmark::State& state, SoundfontChoice choice) {
    OpenOutput sound(choice);
    const Tuning tuning;
    const Orientation orientation;
    MidiState midi(sound.Output(), tuning, orientation);
    int patch = 0;
    for (auto _ : state) {
        midi.ApplyPatch(24 + patch % 8);  // the guitars
        ++patch;
    }
}

void RenderPeriod(benchmark::State& state, SoundfontChoice choice) {
    OpenOutput sound(choice);
    const Tuning tuning;
    const Orientation orientation;
    MidiState midi(sound.Output(), tuning, orientation);
    midi.ApplyPatch(25);
    midi.ApplyVolume(100);
    for (int row = 1; row <= 6; ++row) midi.PlayNote(3, row);
    int rendered = 0;
    for (auto _ : state) {
        // A strummed chord rings for seconds; strike it again now and then so that it does.
        if (++rendered % 400 == 0) {
            for (int row = 1; row <= 6; ++row) midi.PlayNote(3, row);
        }
        if (!sound.Render(256)) state.SkipWithError("cannot render");
    }
    state.counters["period_ms"] = 256 * 1000.0 / 44100;
}

// The same path into an output that only counts, for the share of the synthesiser.
class CountingOutput : public MidiOutput {
public:
    void Open() override {}
    void SendShortMessage(std::uint32_t message) override { benchmark::DoNotOptimize(message); }
    void Close() override {}
    std::string Status() const override { return "Counting output"; }
};

void PlayNoteWithoutSynth(benchmark::State& state) {
    CountingOutput output;
    const Tuning tuning;
    const Orientation orientation;
    MidiState midi(output, tuning, orientation);
    midi.ApplyVolume(100);
    int step = 0;
    for (auto _ : state) {
        midi.PlayNote((step * 7) % 25, 1 + step % 6);
        ++step;
    }
}

}  // namespace
}  // namespace fretlux

int main(int argc, char** argv) {
    using namespace fretlux;
    benchmark::RegisterBenchmark("PlayNote/CountingOutput", PlayNoteWithoutSynth);
    for (const NamedSoundfont& soundfont : kSoundfonts) {
        if (!std::filesystem::exists(soundfont.choice.path)) continue;
        const std::string name = soundfont.name;
        benchmark::RegisterBenchmark(("SoundfontLoad/" + name).c_str(), SoundfontLoad,
                                     soundfont.choice)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
        benchmark::RegisterBenchmark(("PlayNote/" + name).c_str(), PlayNoteThroughSynth,
                                     soundfont.choice)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("PatchChange/" + name).c_str(), PatchChange, soundfont.choice)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("RenderPeriod256/" + name).c_str(), RenderPeriod,
                                     soundfont.choice)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
