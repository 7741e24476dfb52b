// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "form_fixture.h"

namespace fretlux::testing {
namespace {

using MusicXmlExport = FormTest;

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST_F(MusicXmlExport, WritesTheDocumentAsShownAtTheBarsSettingsAndKeepsItsPath) {
    OpenText("riff.tab", PlainBlock("Intro", "3---") + PlainBlock("Verse", "5---"));
    // The shown TAB's tempo lives in the bar until the TAB is left; Verse stores none.
    form.Controls().hscTempo.SetValue(50);
    WriteFile("riff.musicxml", "old");
    host.chosenPaths = {PathOf("riff.musicxml")};
    host.answers = {MessageAnswer::Yes};
    form.Run(Command::ExportMusicXml);

    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[1].mode, FileDialogMode::Save);
    EXPECT_EQ(host.dialogs[1].filter, "MusicXML Files (*.musicxml)|*.musicxml");
    EXPECT_EQ(host.dialogs[1].fileName, "riff.musicxml");
    EXPECT_EQ(host.Asked(),
              std::vector<std::string>{"Overwrite existing file? [YesNo Question No]"});
    const std::string xml = ReadFile("riff.musicxml");
    EXPECT_EQ(Count(xml, "<sound tempo="), 1u);
    EXPECT_EQ(Count(xml, "<sound tempo=\"100\"/>"), 1u);
    EXPECT_EQ(Count(xml, "<rehearsal>"), 2u);
    EXPECT_EQ(form.DocumentPath(), PathOf("riff.tab"));
    EXPECT_EQ(Line(1, 0), "Intro");
    EXPECT_EQ(form.Controls().lblHelp.caption, "Saved riff.musicxml");
}

}  // namespace
}  // namespace fretlux::testing
