// SPDX-License-Identifier: MIT
// The Help menu, the window program's arguments and the notice of a silent sound; a file named
// at start is one of the file commands' cases.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "form_fixture.h"

namespace fretlux::testing {
namespace {

using HelpCommands = FormTest;

TEST_F(HelpCommands, HelpPagesShowInTheHelpWindowAndTheExternalEditorSaysWhenNothingOpens) {
    form.Run(Command::ShowHelp);
    form.Run(Command::ShowTabHelp);
    EXPECT_EQ(host.helpShown, (std::vector<std::string>{"/opt/fretlux/help/help.htm",
                                                        "/opt/fretlux/help/tab.htm"}));
    EXPECT_TRUE(host.openedWithProgram.empty());

    // The external editor, after its notice and the save, says when no program opens the file.
    host.desktopHasPrograms = false;
    form.Run(Command::NewDocument);
    host.chosenPaths = {PathOf("song.tab")};
    form.Run(Command::EditInOutsideEditor);
    EXPECT_EQ(host.Asked(),
              (std::vector<std::string>{
                  "The external text editor does not support enhanced Fretlux files.\rUse this "
                  "only for standard TAB files or printing [Ok None Ok]",
                  "There is no program on this desktop that opens\r" + PathOf("song.tab") +
                      " [Ok Exclamation Ok]"}));
}

TEST_F(HelpCommands, AboutShowsTheVersionTheLicenceAndTheSoundInUse) {
    form.Run(Command::ShowAbout);
    ASSERT_EQ(host.aboutShown.size(), 1u);
    const AboutForm& about = host.aboutShown[0];
    EXPECT_EQ(about.caption, "About Fretlux");
    EXPECT_EQ(about.lblAbout, "Version 1.10");
    EXPECT_NE(about.licence.find("MIT"), std::string::npos);
    EXPECT_EQ(about.sound, host.midiOut.Status());
}

TEST_F(HelpCommands, ASilentSoundIsNoticedOnceInTheHelpLinePointingToTheMidiSettings) {
    form.SoundSetUpDone();
    EXPECT_EQ(form.Controls().lblHelp.caption, "");
    host.midiOut.silent = true;
    form.SoundSetUpDone();
    EXPECT_EQ(form.Controls().lblHelp.caption,
              "NOTE: Fretlux plays silently (no audio device or soundfont): see Settings > Midi");
    EXPECT_EQ(form.Controls().lblHelp.colour, kHintBlue);
}

TEST(WindowCommandLine, OneFileOrAQuestionAnsweredWithoutAWindow) {
    const struct {
        std::vector<std::string> args;
        StartAction action;
        std::string file;
    } cases[] = {
        {{}, StartAction::OpenWindow, ""},
        {{"song.flx"}, StartAction::OpenWindow, "song.flx"},
        {{"--", "-odd name.tab"}, StartAction::OpenWindow, "-odd name.tab"},
        {{"--version"}, StartAction::PrintVersion, ""},
        {{"song.flx", "--help"}, StartAction::PrintUsage, ""},
        {{"-h"}, StartAction::PrintUsage, ""},
        {{"a.tab", "b.tab"}, StartAction::WrongArguments, ""},
        {{"--play"}, StartAction::WrongArguments, ""},
    };
    for (const auto& c : cases) {
        const StartRequest request = ReadCommandLine(c.args);
        EXPECT_EQ(request.action, c.action) << c.args.size();
        EXPECT_EQ(request.file, c.file);
    }
    EXPECT_EQ(VersionLine(), "Fretlux 1.10");
}

}  // namespace
}  // namespace fretlux::testing
