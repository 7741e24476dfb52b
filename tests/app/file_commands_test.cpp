// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>

#include "document/tab_cell.h"
#include "form_fixture.h"

namespace fretlux::testing {
namespace {

const std::string kTitle = "Fretlux  (Ver 1.10)";

std::string OpenError(const std::string& description) {
    return "Error '" + description + "' encountered while trying to open file, please retry.";
}

using FileCommands = FormTest;

TEST_F(FileCommands, NewShowsOneBlankTabUnderTheUntitledNameWithoutAsking) {
    OpenText("two.tab", PlainBlock("first", "--3--") + PlainBlock("second", "--5--"));
    host.messages.clear();
    form.mnuFileNew_Click();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(form.caption, kTitle + "  UNTITLED.FLX");
    EXPECT_EQ(form.gCurrentPath, "UNTITLED.FLX");
    EXPECT_EQ(form.document.tabCount, 1);
    EXPECT_EQ(View(), "TAB 1/1 column 0+0 of 77");
    EXPECT_EQ(form.lblHelp.caption, "TAB: 1 of 1");
    // Showing the TAB puts 79 characters of its 81-space header into the label box.
    EXPECT_EQ(Line(1, 0), std::string(79, ' '));
    EXPECT_EQ(Line(1, 1), BlankStringLine(1));
}

TEST_F(FileCommands, OpenReadsThePickedFileAndKeepsTheCaseOfItsPath) {
    OpenText("Intro Riff.TAB", PlainBlock("Intro riff", "---0---3---|"));
    EXPECT_EQ(form.gCurrentPath, PathOf("Intro Riff.TAB"));
    EXPECT_EQ(form.caption, kTitle + "  " + PathOf("Intro Riff.TAB"));
    EXPECT_EQ(form.txtTAB.Text(), "Intro riff");
    EXPECT_EQ(form.lblTAB[1].caption, "E|---0---3---|---");
    EXPECT_EQ(form.lblHelp.caption, "TAB: 1 of 1");
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].mode, FileDialogMode::Open);
    EXPECT_EQ(host.dialogs[0].filter,
              "Fretlux Files (*.flx)|*.flx|TAB Files (*.tab)|*.tab|"
              "Guitar Pro Files (*.gp3;*.gp4;*.gp5;*.gpx;*.gp)|*.gp3;*.gp4;*.gp5;*.gpx;*.gp|"
              "MusicXML Files (*.musicxml;*.xml;*.mxl)|*.musicxml;*.xml;*.mxl|All Files (*.*)|*.*");
    EXPECT_EQ(host.dialogs[0].fileName, "");
    EXPECT_TRUE(host.messages.empty());  // no TAB was shown, so no save question
}

TEST_F(FileCommands, OpenFirstOffersToSaveAndCancelAtEitherStepKeepsTheOpenDocument) {
    OpenText("first.tab", PlainBlock("first", "--1--"));
    form.txtTAB.SetText("edited label");
    WriteFile("second.tab", PlainBlock("second", "--2--"));
    host.chosenPaths = {std::nullopt, PathOf("second.tab")};
    host.answers = {MessageAnswer::Cancel};
    form.mnuFOpen_Click();
    form.mnuFOpen_Click();
    EXPECT_EQ(host.Asked(), std::vector<std::string>{"Save changes to '" + PathOf("first.tab") +
                                                     "' ? [YesNoCancel Question No]"});
    EXPECT_EQ(host.messages[0].title, "Fretlux");
    EXPECT_EQ(form.gCurrentPath, PathOf("first.tab"));
    EXPECT_EQ(form.caption, kTitle + "  " + PathOf("first.tab"));
    EXPECT_EQ(Line(1, 0), "edited label");
}

TEST_F(FileCommands, OpenAnsweredYesSavesThePreviousDocumentAsFretluxFirst) {
    OpenText("first.tab", PlainBlock("first", "--1--"));
    WriteFile("second.tab", PlainBlock("second", "--2--"));
    host.chosenPaths = {PathOf("second.tab"), PathOf("first.flx")};
    host.answers = {MessageAnswer::Yes};
    form.mnuFOpen_Click();
    ASSERT_EQ(host.dialogs.size(), 3u);
    EXPECT_EQ(host.dialogs[2].mode, FileDialogMode::Save);
    EXPECT_EQ(host.dialogs[2].fileName, "first.flx");
    EXPECT_EQ(host.dialogs[2].initialDirectory, directory.string());
    EXPECT_EQ(ReadFile("first.flx").substr(0, 7), "first\r\n");
    EXPECT_EQ(form.gCurrentPath, PathOf("second.tab"));
    EXPECT_EQ(form.txtTAB.Text(), "second");
}

TEST_F(FileCommands, ADocumentOfTheProgramDirectoryIsNotOfferedForSaving) {
    host.programDirectory = directory.string();
    OpenText("lesson.flx", PlainBlock("lesson", "--1--"));
    OpenText("song.tab", PlainBlock("songs", "--1--"));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(form.txtTAB.Text(), "songs");
}

TEST_F(FileCommands, AFileWithoutBlocksLeavesAnEmptyDocumentAndNoMessage) {
    OpenText("notes.txt", "just some words\nand more\n");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(form.hscTAB.Max(), 0);
    EXPECT_EQ(form.caption, kTitle + "  " + PathOf("notes.txt"));
}

TEST_F(FileCommands, AFileThatCannotBeReadIsReportedAndLeavesAnEmptyDocument) {
    form.mnuFileNew_Click();
    host.chosenPaths = {PathOf("gone.tab")};
    host.answers = {MessageAnswer::No};
    form.mnuFOpen_Click();
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.Asked()[1], OpenError("No such file or directory") + " [Ok Exclamation Ok]");
    EXPECT_EQ(form.hscTAB.Max(), 0);
    EXPECT_EQ(form.lblHelp.caption, "TAB: 0 of 0");
    EXPECT_EQ(form.caption, kTitle + "  " + PathOf("gone.tab"));

    std::string blocks;
    for (int t = 0; t < 102; ++t) blocks += PlainBlock("tab " + std::to_string(t), "--7--");
    host.messages.clear();
    OpenText("many.tab", blocks);
    EXPECT_EQ(host.Asked(), std::vector<std::string>{OpenError("more than 101 TABs") +
                                                     " [Ok Exclamation Ok]"});
    EXPECT_EQ(form.document.tabCount, 0);
    EXPECT_TRUE(form.document.tabLines[0][1].empty());
}

TEST_F(FileCommands, AFileOfSeveralTracksOpensTheTrackChosenAndACancelOpensNothing) {
    const auto part = [](const std::string& id, const std::string& step) {
        return "<part id=\"" + id + "\"><measure><attributes><divisions>1</divisions></attributes><note>"
               "<pitch><step>" + step + "</step><octave>4</octave></pitch><duration>4</duration></note>"
               "</measure></part>";
    };
    const std::string score =
        "<score-partwise><part-list><score-part id=\"P1\"><part-name>Lead</part-name></score-part>"
        "<score-part id=\"P2\"><part-name>Rhythm</part-name></score-part></part-list>" +
        part("P1", "C") + part("P2", "E") + "</score-partwise>";
    host.trackAnswer = 2;
    OpenText("band.musicxml", score);
    ASSERT_EQ(host.trackLists.size(), 1u);
    ASSERT_EQ(host.trackLists[0].size(), 2u);
    EXPECT_EQ(host.trackLists[0][1].name, "Rhythm");
    EXPECT_EQ(form.lblTAB[1].caption, "E0---------------|");  // the second part's E4
    host.trackAnswer = std::nullopt;
    OpenText("band.musicxml", score);
    EXPECT_EQ(form.document.tabCount, 0);
}

TEST_F(FileCommands, SaveProposesTheDocumentNameWithTheFormsExtensionAndCancelKeepsThePath) {
    form.mnuFileSFlx_Click();  // no TAB shown: no dialog
    form.mnuFileSTab_Click();
    EXPECT_TRUE(host.dialogs.empty());
    OpenText("Blues.tab", PlainBlock("blues", "--3--"));
    host.chosenPaths = {std::nullopt, std::nullopt};
    form.mnuFileSFlx_Click();
    form.mnuFileSTab_Click();
    ASSERT_EQ(host.dialogs.size(), 3u);
    EXPECT_EQ(host.dialogs[1].fileName, "Blues.flx");
    EXPECT_EQ(host.dialogs[1].filter, "flx Files (*.flx)|*.flx");
    EXPECT_EQ(host.dialogs[1].initialDirectory, directory.string());
    EXPECT_EQ(host.dialogs[2].fileName, "Blues.tab");
    EXPECT_EQ(host.dialogs[2].filter, "Tab Files (*.tab)|*.tab");
    EXPECT_EQ(form.gCurrentPath, PathOf("Blues.tab"));
    EXPECT_TRUE(host.messages.empty());
    // The next dialog, of any command, starts where the save dialog was.
    host.chosenPaths = {std::nullopt};
    form.mnuFOpen_Click();
    EXPECT_EQ(host.dialogs[3].initialDirectory, directory.string());

    form.mnuFileNew_Click();
    host.chosenPaths = {std::nullopt};
    form.mnuFileSTab_Click();
    EXPECT_EQ(host.dialogs[4].fileName, "UNTITLED.tab");
    EXPECT_EQ(host.dialogs[4].initialDirectory, "");
}

TEST_F(FileCommands, SaveWritesTheDocumentWithTheShownTabsHeaderFromItsLabelBox) {
    form.mnuFileNew_Click();
    form.mnuEditInsTab_Click();  // a second blank TAB; the new one is TAB 1
    form.txtTAB.SetText("Intro");
    form.document.tabTexts[0] = "Intro, play slowly\r\n";
    form.hscTAB.SetValue(2);  // leaving TAB 1 stamps tempo 41, volume 100, patch 25
    form.txtTAB.SetText("Verse");
    host.chosenPaths = {PathOf("two.flx")};
    form.mnuFileSFlx_Click();
    const std::string tab1 = BlankStringLine(1) + "\r\n";
    const std::string saved = ReadFile("two.flx");
    const std::string start =
        "Intro, play slowly\r\n\r\nIntro" + std::string(75, ' ') + "041100025\r\n" + tab1;
    EXPECT_EQ(saved.substr(0, start.size()), start);
    EXPECT_NE(saved.find("\r\nVerse\r\n" + tab1), std::string::npos);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 16);
    EXPECT_EQ(form.gCurrentPath, PathOf("two.flx"));
    EXPECT_EQ(form.caption, kTitle + "  UNTITLED.FLX");
    // The saved path is the one the next Open offers to save.
    OpenText("two.flx", "");
    EXPECT_EQ(host.messages.back().text, "Save changes to '" + PathOf("two.flx") + "' ?");
}

TEST_F(FileCommands, SaveAsksBeforeOverwritingAndWritesOnlyOnYes) {
    form.mnuFileNew_Click();
    WriteFile("keep.tab", "precious");
    host.chosenPaths = {PathOf("keep.tab"), PathOf("keep.tab")};
    host.answers = {MessageAnswer::No, MessageAnswer::Yes};
    form.mnuFileSTab_Click();
    EXPECT_EQ(host.Asked(),
              std::vector<std::string>{"Overwrite existing file? [YesNo Question No]"});
    EXPECT_EQ(ReadFile("keep.tab"), "precious");
    EXPECT_EQ(form.gCurrentPath, PathOf("keep.tab"));

    form.mnuFileSTab_Click();
    const std::string expected = std::string(79, ' ') + "\r\nE" + std::string(78, '-') + "\r\n";
    EXPECT_EQ(ReadFile("keep.tab").substr(0, expected.size()), expected);
}

TEST_F(FileCommands, AFailedSaveIsReportedAndLeavesWhatWasThere) {
    form.mnuFileNew_Click();
    std::filesystem::create_directories(directory / "folder");
    host.chosenPaths = {PathOf("folder")};
    host.answers = {MessageAnswer::Yes};
    form.mnuFileSFlx_Click();
    ASSERT_EQ(host.messages.size(), 1u);
    const std::string& text = host.messages[0].text;
    EXPECT_EQ(text.rfind("Error '", 0), 0u);
    EXPECT_NE(text.find("' encountered while trying to close file, please retry."),
              std::string::npos);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(std::filesystem::is_directory(directory / "folder"));
    EXPECT_EQ(form.gCurrentPath, PathOf("folder"));
}

TEST_F(FileCommands, ExitEndsAtOnceWithoutADocumentAndClosesTheOutput) {
    EXPECT_TRUE(form.MNUFExit_Click());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.endRequests, 1);
    EXPECT_EQ(host.midiOut.closeCount, 1);
}

TEST_F(FileCommands, TheExitQuestionsAnswerDecidesWhetherTheProgramEnds) {
    const struct {
        const char* name;
        MessageAnswer answer;
        std::optional<std::string> savedAs;  // what the save dialog returns, if it opens
        bool ends;
    } rows[] = {
        {"Cancel keeps it running", MessageAnswer::Cancel, std::nullopt, false},
        {"No ends without saving", MessageAnswer::No, std::nullopt, true},
        {"Yes saves as Fretlux, then ends", MessageAnswer::Yes, "kept.flx", true},
        {"Yes without a save keeps it running", MessageAnswer::Yes, std::nullopt, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedHost rowHost;
        FretluxForm window(rowHost);
        window.Form_Load();
        window.mnuFileNew_Click();
        rowHost.answers.push_back(row.answer);
        if (row.answer == MessageAnswer::Yes) {
            rowHost.chosenPaths.push_back(row.savedAs ? std::optional(PathOf(*row.savedAs))
                                                      : std::nullopt);
        }
        EXPECT_EQ(window.MNUFExit_Click(), row.ends);
        EXPECT_EQ(rowHost.messages[0].text, "Save changes to 'UNTITLED.FLX' ?");
        EXPECT_EQ(rowHost.endRequests, row.ends ? 1 : 0);
        EXPECT_EQ(rowHost.dialogs.size(), row.answer == MessageAnswer::Yes ? 1u : 0u);
        if (row.savedAs) {
            EXPECT_EQ(rowHost.dialogs[0].filter, "flx Files (*.flx)|*.flx");
            EXPECT_FALSE(ReadFile(*row.savedAs).empty());
        }
    }
}

TEST(StartUp, SetsTheDefaultsOfAFreshWindowAndItsCharacterWidthFromTheDpi) {
    for (const auto& [dpi, width] : {std::pair{96, 105}, std::pair{120, 96}, std::pair{72, 96}}) {
        ScriptedHost host;
        host.dpi = dpi;
        FretluxForm form(host);
        ASSERT_TRUE(form.Form_Load());
        EXPECT_EQ(form.gCharWidth, width) << dpi << " dpi";
        EXPECT_EQ(form.caption, "Fretlux  (Ver 1.10)");
        EXPECT_TRUE(form.keyPreview);
        EXPECT_EQ(form.hscTempo.Value(), 41);
        EXPECT_EQ(form.lblTempo.caption, "160");
        EXPECT_EQ(form.hscVolume.Value(), 100);
        EXPECT_EQ(form.lblVolume.caption, " 100");
        EXPECT_EQ(form.HScrollPatch.Value(), 25);
        EXPECT_EQ(form.lblPatchNum.caption, "25");
        EXPECT_EQ(form.hscTAB.Max(), 0);
        EXPECT_EQ(form.gCurrentPath, "");
        EXPECT_EQ(host.tabFilesEntered, 1);
    }
}

TEST(StartUp, ASecondCopyIsRefused) {
    ScriptedHost host;
    host.anotherCopy = true;
    FretluxForm form(host);
    EXPECT_FALSE(form.Form_Load());
    EXPECT_EQ(host.Asked(), std::vector<std::string>{"Fretlux is already running [Ok None Ok]"});
    EXPECT_EQ(host.endRequests, 1);
    EXPECT_EQ(form.caption, "");
}

}  // namespace
}  // namespace fretlux::testing
