// SPDX-License-Identifier: MIT
// Counts how often the audio runs dry when the first note of a new instrument is played, with
// the soundfont of the window, FluidR3_GM loading its samples as instruments are chosen. A
// thread stands in for the sound card: every period it asks the synthesiser for the next
// period's sound, as FluidSynth's drivers do, while the main thread changes the instrument and
// plays a note as the window does. The watch of the real output tells whether the device would
// have played silence.
//
// Before each change the soundfont's pages are dropped from the page cache, so each instrument
// is read from the disk, as on the first use after the machine started.
//
//   instrument_change_probe [SOUNDFONT]
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/soundfont_synth.h"
#include "platform/underrun_watch.h"
#include "playback/midi_state.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPeriodFrames = 256;
constexpr int kPeriods = 2;
// Guitars and a few others far apart in the soundfont: each one new to the synthesiser.
constexpr int kPrograms[] = {24, 25, 26, 27, 40, 0, 56, 73, 19, 33};

}  // namespace

int main(int argc, char** argv) {
    using namespace std::chrono;
    fretlux::SoundfontChoice choice{argc > 1 ? argv[1] : fretlux::kFluidR3Soundfont, true};
    std::string failure;
    auto synth = fretlux::SoundfontSynth::Create(choice, failure);
    if (!synth) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        return 1;
    }
    const double rate = synth->SampleRate();
    fretlux::UnderrunWatch watch(rate, kPeriodFrames * kPeriods, kPeriodFrames);
    std::atomic<bool> running{true};
    std::atomic<double> longestRender{0};
    std::thread device([&] {
        std::vector<float> left(kPeriodFrames), right(kPeriodFrames);
        const auto period = duration_cast<Clock::duration>(duration<double>(kPeriodFrames / rate));
        auto next = Clock::now();
        while (running) {
            std::this_thread::sleep_until(next);
            // A device asks again once a period has played, or at once when it fell behind.
            const auto asked = Clock::now();
            watch.OnRequest(asked, kPeriodFrames);
            std::fill(left.begin(), left.end(), 0.0f);
            std::fill(right.begin(), right.end(), 0.0f);
            float* outputs[] = {left.data(), right.data()};
            synth->Process(kPeriodFrames, 0, nullptr, 2, outputs);
            const double took = duration<double, std::milli>(Clock::now() - asked).count();
            if (took > longestRender) longestRender = took;
            next = std::max(next + period, Clock::now());
        }
    });
    std::this_thread::sleep_for(seconds(1));
    std::printf("%s, buffer %d x %d frames (%.1f ms)\n", choice.path.c_str(), kPeriodFrames,
                kPeriods, 1000.0 * kPeriodFrames * kPeriods / rate);
    for (const int program : kPrograms) {
        if (const int file = open(choice.path.c_str(), O_RDONLY); file >= 0) {
            posix_fadvise(file, 0, 0, POSIX_FADV_DONTNEED);
            close(file);
        }
        const int before = watch.Underruns();
        longestRender = 0;
        const auto start = Clock::now();
        synth->Send(fretlux::PackShortMessage(0xC0, program, 0));
        synth->Send(fretlux::PackShortMessage(0x90, 52, 100));
        const double took = duration<double, std::milli>(Clock::now() - start).count();
        std::this_thread::sleep_for(milliseconds(400));
        synth->Send(fretlux::PackShortMessage(0x90, 52, 0));
        std::this_thread::sleep_for(milliseconds(100));
        std::printf(
            "program %3d: change and first note %6.1f ms, longest render %5.2f ms, "
            "underruns %d\n",
            program, took, longestRender.load(), watch.Underruns() - before);
    }
    running = false;
    device.join();
    std::printf("underruns in all: %d\n", watch.Underruns());
    return 0;
}
