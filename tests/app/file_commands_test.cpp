// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "document/tab_cell.h"
#include "form_fixture.h"

namespace fretlux::testing {
namespace {

const std::string kTitle = "Fretlux  (Ver 1.10)";

using NewDocument = FormTest;

TEST_F(NewDocument, ShowsOneBlankTabUnderTheUntitledName) {
    form.mnuFileNew_Click();
    EXPECT_EQ(form.caption, kTitle + "  UNTITLED.FLX");
    EXPECT_EQ(form.gCurrentPath, "UNTITLED.FLX");
    EXPECT_EQ(form.hscTAB.Value(), 1);
    EXPECT_EQ(form.hscTAB.Max(), 1);
    EXPECT_EQ(form.lblHelp.caption, "TAB: 1 of 1");
    // Showing the TAB puts 79 characters of its 81-space header into the label box.
    EXPECT_EQ(Line(1, 0), std::string(79, ' '));
    EXPECT_EQ(Line(1, 1), BlankStringLine(1));
    EXPECT_EQ(Line(1, 6).substr(0, 10), "E----" + std::string("-    "));
    EXPECT_EQ(form.lastColumn, 77);
}

TEST_F(NewDocument, DiscardsAnOpenDocumentWithoutAsking) {
    OpenText("two.tab", PlainBlock("first", "--3--") + PlainBlock("second", "--5--"));
    ASSERT_EQ(form.hscTAB.Max(), 2);
    host.messages.clear();
    form.mnuFileNew_Click();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(form.lblHelp.caption, "TAB: 1 of 1");
    EXPECT_EQ(form.document.tabCount, 1);
}

using OpenCommand = FormTest;

TEST_F(OpenCommand, ReadsThePickedFileAndKeepsTheCaseOfItsPath) {
    OpenText("Intro Riff.TAB", PlainBlock("Intro riff", "---0---3---|"));
    EXPECT_EQ(form.gCurrentPath, PathOf("Intro Riff.TAB"));
    EXPECT_EQ(form.caption, kTitle + "  " + PathOf("Intro Riff.TAB"));
    EXPECT_EQ(form.txtTAB.Text(), "Intro riff");
    EXPECT_EQ(form.lblTAB[1].caption, "E|---0---3---|---");
    EXPECT_EQ(form.lblHelp.caption, "TAB: 1 of 1");
    const FileDialogRequest& dialog = host.dialogs.back();
    EXPECT_EQ(dialog.mode, FileDialogMode::Open);
    EXPECT_EQ(dialog.filter,
              "Fretlux Files (*.flx)|*.flx|TAB Files (*.tab)|*.tab|All Files (*.*)|*.*");
    EXPECT_EQ(dialog.fileName, "");
    EXPECT_TRUE(host.messages.empty());  // no TAB was shown, so no save question
}

TEST_F(OpenCommand, CancellingTheDialogChangesNothing) {
    form.mnuFileNew_Click();
    host.chosenPaths.push_back(std::nullopt);
    form.mnuFOpen_Click();
    EXPECT_EQ(form.gCurrentPath, "UNTITLED.FLX");
    EXPECT_EQ(form.caption, kTitle + "  UNTITLED.FLX");
    EXPECT_EQ(form.hscTAB.Max(), 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(OpenCommand, OffersToSaveTheDocumentThatWasOpen) {
    form.mnuFileNew_Click();
    WriteFile("song.tab", PlainBlock("xsong", "--1--"));
    host.chosenPaths.push_back(PathOf("song.tab"));
    host.answers.push_back(MessageAnswer::No);
    form.mnuFOpen_Click();
    ASSERT_EQ(host.messages.size(), 1u);
    const MessageBoxRequest& question = host.messages[0];
    EXPECT_EQ(question.text, "Save changes to 'UNTITLED.FLX' ?");
    EXPECT_EQ(question.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.defaultButton, MessageAnswer::No);
    EXPECT_EQ(question.title, "Fretlux");
    EXPECT_EQ(form.txtTAB.Text(), "xsong");
}

TEST_F(OpenCommand, CancelAtTheSaveQuestionKeepsTheOpenDocument) {
    OpenText("first.tab", PlainBlock("first", "--1--"));
    form.txtTAB.SetText("edited label");
    const std::string titleBefore = form.caption;
    WriteFile("second.tab", PlainBlock("second", "--2--"));
    host.chosenPaths.push_back(PathOf("second.tab"));
    host.answers.push_back(MessageAnswer::Cancel);
    form.mnuFOpen_Click();
    EXPECT_EQ(form.gCurrentPath, PathOf("first.tab"));
    EXPECT_EQ(form.caption, titleBefore);
    EXPECT_EQ(form.txtTAB.Text(), "edited label");
    EXPECT_EQ(Line(1, 0), "edited label");
}

TEST_F(OpenCommand, YesSavesThePreviousDocumentAsFretluxFirst) {
    OpenText("first.tab", PlainBlock("first", "--1--"));
    WriteFile("second.tab", PlainBlock("second", "--2--"));
    host.chosenPaths.push_back(PathOf("second.tab"));
    host.answers.push_back(MessageAnswer::Yes);
    host.chosenPaths.push_back(PathOf("first.flx"));
    form.mnuFOpen_Click();
    ASSERT_EQ(host.dialogs.size(), 3u);
    EXPECT_EQ(host.dialogs[2].mode, FileDialogMode::Save);
    EXPECT_EQ(host.dialogs[2].fileName, "first.flx");
    EXPECT_EQ(host.dialogs[2].initialDirectory, directory.string());
    EXPECT_NE(ReadFile("first.flx").find("first"), std::string::npos);
    EXPECT_EQ(form.gCurrentPath, PathOf("second.tab"));
    EXPECT_EQ(form.txtTAB.Text(), "second");
}

TEST_F(OpenCommand, ADocumentOfTheProgramDirectoryIsNotOfferedForSaving) {
    host.programDirectory = directory.string();
    OpenText("lesson.flx", PlainBlock("lesson", "--1--"));
    OpenText("song.tab", PlainBlock("songs", "--1--"));
    // Open answered No to a question that was never asked, so the answer is still queued.
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(form.txtTAB.Text(), "songs");
}

TEST_F(OpenCommand, AFileWithoutBlocksLeavesAnEmptyDocumentAndNoMessage) {
    OpenText("notes.txt", "just some words\nand more\n");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(form.hscTAB.Max(), 0);
    EXPECT_EQ(form.hscTAB.Value(), 0);
    EXPECT_EQ(form.caption, kTitle + "  " + PathOf("notes.txt"));
}

TEST_F(OpenCommand, AMissingFileIsReportedAndLeavesAnEmptyDocument) {
    form.mnuFileNew_Click();
    host.chosenPaths.push_back(PathOf("gone.tab"));
    host.answers.push_back(MessageAnswer::No);
    form.mnuFOpen_Click();
    ASSERT_EQ(host.messages.size(), 2u);
    const MessageBoxRequest& error = host.messages[1];
    EXPECT_EQ(error.text,
              "Error 'No such file or directory' encountered while trying to open file, please "
              "retry.");
    EXPECT_EQ(error.icon, MessageIcon::Exclamation);
    EXPECT_EQ(error.buttons, MessageButtons::Ok);
    EXPECT_EQ(form.hscTAB.Max(), 0);
    EXPECT_EQ(form.lblHelp.caption, "TAB: 0 of 0");
    EXPECT_EQ(form.caption, kTitle + "  " + PathOf("gone.tab"));
}

TEST_F(OpenCommand, AFileTheReaderRejectsIsReportedAndLeavesNothingBehind) {
    std::string blocks;
    for (int t = 0; t < 102; ++t) blocks += PlainBlock("tab " + std::to_string(t), "--7--");
    OpenText("many.tab", blocks);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Error 'Subscript out of range' encountered while trying to open file, please "
              "retry.");
    EXPECT_EQ(form.document.tabCount, 0);
    EXPECT_TRUE(form.document.tabLines[0][1].empty());
}

using SaveCommands = FormTest;

TEST_F(SaveCommands, DoNothingWithoutAShownTab) {
    form.mnuFileSFlx_Click();
    form.mnuFileSTab_Click();
    EXPECT_TRUE(host.dialogs.empty());
}

TEST_F(SaveCommands, ProposeTheDocumentNameWithTheFormsExtension) {
    OpenText("Blues.tab", PlainBlock("blues", "--3--"));
    host.chosenPaths.push_back(std::nullopt);
    form.mnuFileSFlx_Click();
    host.chosenPaths.push_back(std::nullopt);
    form.mnuFileSTab_Click();
    ASSERT_EQ(host.dialogs.size(), 3u);
    EXPECT_EQ(host.dialogs[1].fileName, "Blues.flx");
    EXPECT_EQ(host.dialogs[1].filter, "flx Files (*.flx)|*.flx");
    EXPECT_EQ(host.dialogs[1].initialDirectory, directory.string());
    EXPECT_EQ(host.dialogs[2].fileName, "Blues.tab");
    EXPECT_EQ(host.dialogs[2].filter, "Tab Files (*.tab)|*.tab");
    // Cancelling ends the command silently and keeps the path.
    EXPECT_EQ(form.gCurrentPath, PathOf("Blues.tab"));
    EXPECT_TRUE(host.messages.empty());
    // The next dialog, of any command, starts where the save dialog was.
    host.chosenPaths.push_back(std::nullopt);
    host.answers.push_back(MessageAnswer::No);
    form.mnuFOpen_Click();
    EXPECT_EQ(host.dialogs.back().initialDirectory, directory.string());
}

TEST_F(SaveCommands, AnUntitledDocumentProposesItsNameWithoutADirectory) {
    form.mnuFileNew_Click();
    host.chosenPaths.push_back(std::nullopt);
    form.mnuFileSTab_Click();
    EXPECT_EQ(host.dialogs[0].fileName, "UNTITLED.tab");
    EXPECT_EQ(host.dialogs[0].initialDirectory, "");
}

TEST_F(SaveCommands, WriteTheShownTabWithTheHeaderOfItsLabelBox) {
    form.mnuFileNew_Click();
    form.txtTAB.SetText("Intro");
    host.chosenPaths.push_back(PathOf("new.flx"));
    form.mnuFileSFlx_Click();
    const std::string saved = ReadFile("new.flx");
    EXPECT_EQ(saved.substr(0, 7), "Intro\r\n");
    EXPECT_EQ(saved.substr(7, 397), BlankStringLine(1) + "\r\n");
    EXPECT_EQ(form.gCurrentPath, PathOf("new.flx"));
    EXPECT_EQ(form.caption, kTitle + "  UNTITLED.FLX");
}

TEST_F(SaveCommands, WriteTheTwoTabExampleInTheEnhancedForm) {
    form.mnuFileNew_Click();
    form.mnuEditInsTab_Click();  // a second blank TAB; the new one is TAB 1
    form.txtTAB.SetText("Intro");
    form.document.tabTexts[0] = "Intro, play slowly\r\n";
    form.hscTAB.SetValue(2);  // leaving TAB 1 stamps tempo 41, volume 100, patch 25
    host.chosenPaths.push_back(PathOf("two.flx"));
    form.mnuFileSFlx_Click();
    const std::string saved = ReadFile("two.flx");
    const std::string header1 = "Intro" + std::string(75, ' ') + "041100025";
    const std::string expectedStart = "Intro, play slowly\r\n\r\n" + header1 + "\r\n";
    EXPECT_EQ(saved.substr(0, expectedStart.size()), expectedStart);
    size_t lines = 0;
    for (char ch : saved) lines += ch == '\n';
    EXPECT_EQ(lines, 16u);
    // TAB 2 is shown: its header is the 79 characters of its label box.
    EXPECT_NE(saved.find("\r\n" + std::string(79, ' ') + "\r\nE----"), std::string::npos);
}

TEST_F(SaveCommands, AskBeforeOverwritingAndWriteOnlyOnYes) {
    form.mnuFileNew_Click();
    WriteFile("keep.tab", "precious");
    host.chosenPaths.push_back(PathOf("keep.tab"));
    host.answers.push_back(MessageAnswer::No);
    form.mnuFileSTab_Click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Overwrite existing file?");
    EXPECT_EQ(host.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(host.messages[0].defaultButton, MessageAnswer::No);
    EXPECT_EQ(ReadFile("keep.tab"), "precious");
    EXPECT_EQ(form.gCurrentPath, PathOf("keep.tab"));

    host.chosenPaths.push_back(PathOf("keep.tab"));
    host.answers.push_back(MessageAnswer::Yes);
    form.mnuFileSTab_Click();
    const std::string expected = std::string(79, ' ') + "\r\n" + "E" + std::string(78, '-') + "\r\n";
    EXPECT_EQ(ReadFile("keep.tab").substr(0, expected.size()), expected);
}

TEST_F(SaveCommands, AFailedWriteIsReportedAndLeavesTheOldFile) {
    form.mnuFileNew_Click();
    std::filesystem::create_directories(directory / "folder");
    host.chosenPaths.push_back(PathOf("folder"));
    host.answers.push_back(MessageAnswer::Yes);
    form.mnuFileSFlx_Click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("' encountered while trying to close file, please retry."),
              std::string::npos);
    EXPECT_EQ(host.messages[0].text.rfind("Error '", 0), 0u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(std::filesystem::is_directory(directory / "folder"));
    EXPECT_EQ(form.gCurrentPath, PathOf("folder"));
}

TEST_F(SaveCommands, ASavedPathIsTheOneTheNextOpenOffersToSave) {
    form.mnuFileNew_Click();
    host.chosenPaths.push_back(PathOf("Mine.flx"));
    form.mnuFileSFlx_Click();
    WriteFile("other.tab", PlainBlock("other", "--1--"));
    host.chosenPaths.push_back(PathOf("other.tab"));
    host.answers.push_back(MessageAnswer::No);
    form.mnuFOpen_Click();
    EXPECT_EQ(host.messages.back().text, "Save changes to '" + PathOf("Mine.flx") + "' ?");
}

using ExitCommand = FormTest;

TEST_F(ExitCommand, EndsAtOnceWithoutADocumentAndClosesTheOutput) {
    EXPECT_TRUE(form.MNUFExit_Click());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.endRequests, 1);
    EXPECT_EQ(host.midiOut.closeCount, 1);
}

TEST_F(ExitCommand, TheSaveQuestionsAnswerDecidesWhetherTheProgramEnds) {
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

TEST(StartUp, SetsTheDefaultsOfAFreshWindow) {
    ScriptedHost host;
    host.firstRun = true;
    FretluxForm form(host);
    ASSERT_TRUE(form.Form_Load());
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
    EXPECT_TRUE(form.firstRun);
}

TEST(StartUp, UsesTheNarrowerCharacterWidthOffNormalDpi) {
    for (const auto& [dpi, width] : {std::pair{96, 105}, std::pair{120, 96}, std::pair{72, 96}}) {
        ScriptedHost host;
        host.dpi = dpi;
        FretluxForm form(host);
        form.Form_Load();
        EXPECT_EQ(form.gCharWidth, width) << dpi << " dpi";
    }
}

TEST(StartUp, ASecondCopyIsRefused) {
    ScriptedHost host;
    host.anotherCopy = true;
    FretluxForm form(host);
    EXPECT_FALSE(form.Form_Load());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Fretlux is already running");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(host.endRequests, 1);
    EXPECT_EQ(form.caption, "");
}
}  // namespace
}  // namespace fretlux::testing
