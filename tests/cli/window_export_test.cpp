// SPDX-License-Identifier: MIT
// File > Export MIDI and Export WAVE in the window write the very bytes fretlux-cli export and
// render write for the document as it stands: edited, with the shown TAB's settings as the bars
// hold them, which its header gets when it is left. The practice settings (metronome, count-in,
// speed) never reach them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/play_commands.h"
#include "document/tab_file_writer.h"
#include "document/tab_header.h"
#include "form_fixture.h"
#include "sound/wave_rendering.h"
#include "two_tab_piece.h"

namespace fretlux::testing {
namespace {

using WindowExport = FormTest;

TEST_F(WindowExport, MidiAndWaveAreWhatFretluxCliWritesForTheDocumentAsItStands) {
    OpenText("piece.tab", kPiece);
    form.Board().Press(3, 2, 1);
    form.SelectColumns(4, 0);
    form.TypeCharacter(13);
    form.Controls().hscTempo.SetValue(60);
    form.Controls().HScrollPatch.SetValue(40);
    form.Run(Command::ToggleMetronome);
    form.Run(MenuList::CountIns, 2);
    form.Run(MenuList::Speeds, 0);
    host.onRenderWave = [](const std::vector<TimedMidiMessage>& events) {
        return RenderWaveBytes(events, nullptr, nullptr);
    };
    host.chosenPaths = {PathOf("window.mid"), PathOf("window.wav")};
    form.Run(Command::ExportMidi);
    form.Run(Command::ExportWave);

    TabDocument standing = form.Document();
    standing.tabLines[0][0] = StampHeader(standing.tabLines[0][0], {60, 100, 40});
    WriteFile("standing.flx", WriteEnhancedForm(standing));
    std::ostringstream err;
    ASSERT_EQ(ExportMidiFile(PathOf("standing.flx"), PathOf("cli.mid"), err), 0) << err.str();
    const std::string midi = ReadFile("window.mid");
    EXPECT_EQ(midi, ReadFile("cli.mid"));
    // The pasted note, fret 2 of the D string, is in it.
    EXPECT_NE(midi.find("\x90\x34"), std::string::npos);

    if (RenderWaveFile(PathOf("standing.flx"), PathOf("cli.wav"), false, err) != 0) {
        GTEST_SKIP() << "no sound to render: " << err.str();
    }
    const std::string wave = ReadFile("window.wav");
    EXPECT_GT(wave.size(), 44u);
    EXPECT_TRUE(wave == ReadFile("cli.wav")) << "the WAVE files differ";
}

}  // namespace
}  // namespace fretlux::testing
