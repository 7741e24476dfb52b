// SPDX-License-Identifier: MIT
// Plays notes through the built-in synthesiser and the machine's audio device for a while and
// prints, each time it changes, which device and buffer the output uses: the latency it is
// configured for, and whether the device ran dry with the smaller buffers.
//
//   audio_probe [SECONDS]      (default 20)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "playback/midi_state.h"
#include "sound/fluidsynth_output.h"

int main(int argc, char** argv) {
    using namespace std::chrono;
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
    fretlux::FluidSynthOutput output;
    output.Open();
    output.WaitUntilSetUp();
    std::string shown;
    const auto start = steady_clock::now();
    const auto end = start + std::chrono::seconds(seconds);
    for (int note = 0; steady_clock::now() < end; ++note) {
        const int key = 40 + note % 24;
        output.SendShortMessage(fretlux::PackShortMessage(0x90, key, 100));
        std::this_thread::sleep_for(milliseconds(100));
        output.SendShortMessage(fretlux::PackShortMessage(0x90, key, 0));
        const std::string status = output.Status();
        if (status != shown) {
            std::printf("%6.1f s  %s\n", duration<double>(steady_clock::now() - start).count(),
                        status.c_str());
            std::fflush(stdout);
            shown = status;
        }
    }
    output.Close();
    return 0;
}
