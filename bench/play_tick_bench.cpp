// SPDX-License-Identifier: MIT
// The cost of one play tick that shows a six-note column on the fretboard and sounds it, through
// the application core and into the built-in synthesiser (without an audio device); with the
// argument 1 the metronome is on as well, which ends a click and sounds one on every beat.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/fretlux_form.h"
#include "app/headless_host.h"
#include "document/render_fret_digits.h"
#include "document/tab_cell.h"
#include "document/tab_file_writer.h"
#include "sound/fluidsynth_output.h"

namespace fretlux {
namespace {

// One TAB of 16 six-note chords, alternating between two shapes so that every tick changes the
// note of every string.
std::string ChordTab() {
    constexpr int kShapes[2][7] = {{0, 0, 1, 0, 2, 3, 0}, {0, 3, 3, 0, 0, 2, 3}};
    TabDocument document;
    document.MakeBlankTab(0);
    document.tabCount = 1;
    for (int line = 1; line < kLinesPerTab; ++line) {
        std::string& text = document.tabLines[0][line];
        text = HeaderCell(kStringLetters[line - 1]);
        for (int c = 0; c < 16; ++c) {
            text +=
                std::string{'-', FretLetter(kShapes[c % 2][line]), AttributeLetter(0, true)} + "  ";
        }
    }
    RenderFretDigits(document, 0);
    return WriteEnhancedForm(document);
}

void PlayTickWithSixNotes(benchmark::State& state) {
    FluidSynthOutput synthesiser(
        FluidSynthOptions{SoundfontChoice{kTimGm6mbSoundfont, false}, false});
    HeadlessHost host(synthesiser);
    FretluxForm form(host);
    form.StartUp();
    synthesiser.WaitUntilSetUp();
    const std::string path =
        (std::filesystem::temp_directory_path() / "fretlux-play-tick.flx").string();
    std::ofstream(path) << ChordTab();
    host.ChooseFile(path);
    form.Run(Command::OpenFile);
    std::filesystem::remove(path);
    if (form.Columns().LastColumn() <= 0) {
        state.SkipWithError("the chord TAB did not open");
        return;
    }
    // All but the last column are selected, so playback loops over them for as long as the
    // benchmark runs (running off the last column of the last TAB would stop it).
    form.SelectColumns(0, form.Columns().LastColumn());
    if (state.range(0) == 1) form.Run(Command::ToggleMetronome);
    form.Run(Command::StartPlayback);
    if (form.Playback().PlayTimer().Interval() == 0) {
        state.SkipWithError("playback did not start");
        return;
    }
    for (auto _ : state) form.Playback().PlayTick();
    if (form.Playback().PlayTimer().Interval() == 0)
        state.SkipWithError("playback stopped during the run");
    state.counters["notes_per_tick"] = 6;
}
BENCHMARK(PlayTickWithSixNotes)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fretlux

BENCHMARK_MAIN();
