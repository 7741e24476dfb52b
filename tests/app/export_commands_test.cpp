// SPDX-License-Identifier: MIT
// File > Export MIDI and Export WAVE as the user meets them: the save dialog, the overwrite
// question, a cancelled or failed rendering. That the bytes are fretlux-cli's is checked with
// the command-line tool's tests.
#include <gtest/gtest.h>

#include <filesystem>

#include "form_fixture.h"

namespace fretlux::testing {
namespace {

using ExportTest = FormTest;

TEST_F(ExportTest, AskLikeTheSaveCommandsAndWriteNothingWhenCancelledRefusedOrFailed) {
    form.Run(Command::ExportMidi);
    EXPECT_TRUE(host.dialogs.empty()) << "no TAB, nothing to export";

    OpenText("riff.tab", PlainBlock("Riff", "0-3"));
    WriteFile("riff.wav", "old");
    host.chosenPaths = {PathOf("riff.wav")};
    host.answers = {MessageAnswer::Yes};
    form.Run(Command::ExportWave);
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[1].mode, FileDialogMode::Save);
    EXPECT_EQ(host.dialogs[1].filter, "WAVE Files (*.wav)|*.wav");
    EXPECT_EQ(host.dialogs[1].initialDirectory, directory.string());
    EXPECT_EQ(host.dialogs[1].fileName, "riff.wav");
    EXPECT_EQ(host.Asked().back(), "Overwrite existing file? [YesNo Question No]");
    ASSERT_EQ(host.renderedEvents.size(), 1u);
    EXPECT_FALSE(host.renderedEvents[0].empty());
    EXPECT_EQ(ReadFile("riff.wav"), "old") << "the rendering was cancelled";

    host.onRenderWave = [](const std::vector<TimedMidiMessage>&) {
        return RenderedWave{{}, "no sound to render: no soundfont", false};
    };
    host.chosenPaths = {PathOf("new.wav")};
    form.Run(Command::ExportWave);
    EXPECT_EQ(host.Asked().back(),
              "Error 'no sound to render: no soundfont' encountered while trying to close file, "
              "please retry. [Ok Exclamation Ok]");
    EXPECT_FALSE(std::filesystem::exists(PathOf("new.wav")));

    host.chosenPaths = {PathOf("riff.wav")};
    host.answers = {MessageAnswer::No};
    form.Run(Command::ExportMidi);
    EXPECT_EQ(ReadFile("riff.wav"), "old");

    host.chosenPaths = {PathOf("riff.mid")};
    form.Run(Command::ExportMidi);
    EXPECT_EQ(host.dialogs.back().filter, "MIDI Files (*.mid)|*.mid");
    EXPECT_EQ(ReadFile("riff.mid").substr(0, 4), "MThd");
    EXPECT_EQ(form.Controls().lblHelp.caption, "Saved riff.mid");
    EXPECT_EQ(form.DocumentPath(), PathOf("riff.tab"));
}

}  // namespace
}  // namespace fretlux::testing
