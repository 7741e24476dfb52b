// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <sstream>

#include "document/tab_cell.h"
#include "form_fixture.h"

namespace fretlux::testing {
namespace {

const std::string kTitle = "Fretlux  (Ver 1.10)";

std::string OpenError(const std::string& description) {
    return "Error '" + description + "' encountered while trying to open file, please retry.";
}

using FileCommands = FormTest;

TEST_F(FileCommands, NewShowsOneBlankTabUnderTheUntitledName) {
    OpenText("two.tab", PlainBlock("first", "--3--") + PlainBlock("second", "--5--"));
    form.Run(Command::NewDocument);
    EXPECT_EQ(form.Controls().caption, kTitle + "  UNTITLED.FLX");
    EXPECT_EQ(form.DocumentPath(), "UNTITLED.FLX");
    EXPECT_EQ(form.Document().tabCount, 1);
    EXPECT_EQ(View(), "TAB 1/1 column 0+0 of 77");
    EXPECT_EQ(form.Controls().lblHelp.caption, "TAB: 1 of 1");
    // Showing the TAB puts 79 characters of its 81-space header into the label box.
    EXPECT_EQ(Line(1, 0), std::string(79, ' '));
    EXPECT_EQ(Line(1, 1), BlankStringLine(1));
}

TEST_F(FileCommands, OpenReadsThePickedFileAndKeepsTheCaseOfItsPath) {
    OpenText("Intro Riff.TAB", PlainBlock("Intro riff", "---0---3---|"));
    EXPECT_EQ(form.DocumentPath(), PathOf("Intro Riff.TAB"));
    EXPECT_EQ(form.Controls().caption, kTitle + "  " + PathOf("Intro Riff.TAB"));
    EXPECT_EQ(form.Controls().txtTAB.Text(), "Intro riff");
    EXPECT_EQ(form.Controls().lblTAB[1].caption, "E|---0---3---|---");
    EXPECT_EQ(form.Controls().lblHelp.caption, "TAB: 1 of 1");
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].mode, FileDialogMode::Open);
    EXPECT_EQ(host.dialogs[0].filter, kOpenFilter);
    EXPECT_EQ(host.dialogs[0].fileName, "");
    EXPECT_TRUE(host.messages.empty());  // no TAB was shown, so no save question
}

TEST_F(FileCommands, EveryCommandThatReplacesTheDocumentAsksWhenItChangedAndGoesOnOnlyOnNoOrSaved) {
    const std::string program = PathOf("program");
    std::filesystem::create_directory(program);
    for (const char* name :
         {"program/lesson1.flx", "program/scales0.flx", "program/ChordA.flx", "other.tab"}) {
        WriteFile(name, PlainBlock(name, "--1--"));
    }
    const struct {
        const char* name;
        std::function<void(FretluxForm&)> command;
        std::string loads;                    // the path the document then has; "" for Exit
        std::optional<std::string> picked{};  // what the command's own open dialog returns
    } commands[] = {
        {"New", [](FretluxForm& f) { f.Run(Command::NewDocument); }, "UNTITLED.FLX"},
        {"Open", [](FretluxForm& f) { f.Run(Command::OpenFile); }, PathOf("other.tab"),
         PathOf("other.tab")},
        {"a file given at start", [&](FretluxForm& f) { f.OpenNamedFile(PathOf("other.tab")); },
         PathOf("other.tab")},
        {"a lesson", [](FretluxForm& f) { f.Run(MenuList::BasicLessons, 1); },
         PathOf("program/lesson1.flx")},
        {"Load Lessons", [](FretluxForm& f) { f.Run(Command::OpenOtherLesson); },
         PathOf("other.tab"), PathOf("other.tab")},
        {"a scale chart", [](FretluxForm& f) { f.Run(MenuList::Scales, 0); },
         PathOf("program/scales0.flx")},
        {"a chord file", [](FretluxForm& f) { f.Run(MenuList::Chords, 0); },
         PathOf("program/ChordA.flx")},
        {"Exit", [](FretluxForm& f) { f.Exit(); }, ""},
    };
    // The song shown, changed or not, the answer to the question, and where the save dialog that
    // Yes opens saves: nowhere when cancelled, a folder when the save fails.
    const struct {
        const char* name;
        bool changed;
        MessageAnswer answer;
        std::optional<std::string> savedTo;
        bool goesOn;
    } cases[] = {
        {"unchanged", false, MessageAnswer::Ok, {}, true},
        {"Cancel", true, MessageAnswer::Cancel, {}, false},
        {"Yes, saving cancelled", true, MessageAnswer::Yes, {}, false},
        {"Yes, saving failed", true, MessageAnswer::Yes, directory.string(), false},
        {"Yes, saved", true, MessageAnswer::Yes, PathOf("saved.flx"), true},
        {"No", true, MessageAnswer::No, {}, true},
    };
    const std::string song = PathOf("song.flx");
    WriteFile("song.flx", PlainBlock("song", "--3--"));
    for (const auto& command : commands) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(command.name) + ", " + c.name);
            std::filesystem::remove(PathOf("saved.flx"));
            ScriptedHost rowHost;
            rowHost.programDirectory = program;
            FretluxForm window(rowHost);
            window.StartUp();
            window.OpenNamedFile(song);
            std::string titleAtQuestion;
            rowHost.onMessage = [&] { titleAtQuestion = window.Controls().caption; };
            if (c.changed) window.Controls().txtTAB.SetText("changed");
            if (command.picked) rowHost.chosenPaths.push_back(command.picked);
            rowHost.answers.push_back(c.answer);
            if (c.answer == MessageAnswer::Yes) rowHost.chosenPaths.push_back(c.savedTo);
            const std::string titleBefore = window.Controls().caption;

            command.command(window);

            const auto asked = rowHost.Asked();
            ASSERT_EQ(asked.empty(), !c.changed);
            if (!asked.empty()) {
                EXPECT_EQ(asked[0], "Save changes to '" + song + "' ? [YesNoCancel Question No]");
                EXPECT_EQ(titleAtQuestion, titleBefore);
            }
            if (c.savedTo == directory.string()) {
                EXPECT_NE(asked.back().find("trying to close file"), std::string::npos);
            }
            EXPECT_EQ(std::filesystem::exists(PathOf("saved.flx")),
                      c.savedTo == PathOf("saved.flx"));
            EXPECT_EQ(rowHost.endRequests, command.loads.empty() && c.goesOn ? 1 : 0);
            if (command.loads.empty()) continue;
            if (c.goesOn) {
                EXPECT_EQ(window.DocumentPath(), command.loads);
                EXPECT_NE(window.Controls().txtTAB.Text(), "changed");
            } else {
                EXPECT_EQ(window.DocumentPath(), song);
                EXPECT_EQ(window.Controls().caption, titleBefore);
                EXPECT_EQ(window.Controls().txtTAB.Text(), "changed");
            }
        }
    }
}

TEST_F(FileCommands, TheSaveQuestionComesExactlyWhenTheDocumentChanged) {
    WriteFile("song.tab", PlainBlock("Intro", "--3--") + PlainBlock("Verse", "--5--"));
    const auto save = [&](const char* name, Command command) {
        return [this, name, command] {
            host.chosenPaths = {PathOf(name)};
            form.Run(command);
        };
    };
    const std::map<std::string, std::function<void()>> actions = {
        {"browse", [&] { form.Controls().hscTAB.SetValue(2); }},
        {"export", save("song.mid", Command::ExportMidi)},
        {"save-tab", save("saved.tab", Command::SaveAsTab)},
        {"save-flx", save("saved.flx", Command::SaveAsFretlux)},
        {"undo", [&] { form.Run(Command::Undo); }},
        {"redo", [&] { form.Run(Command::Redo); }},
        {"tempo60", [&] { form.Controls().hscTempo.SetValue(60); }},
        {"patch30", [&] { form.Controls().HScrollPatch.SetValue(30); }},
        {"volume60", [&] { form.Controls().hscVolume.SetValue(60); }},
        {"volume100", [&] { form.Controls().hscVolume.SetValue(100); }},
        {"cut", [&] { Select(1, 1), form.Run(Command::CutColumns); }},
    };
    // What the user does, word by word, and whether New then asks.
    const std::pair<const char*, bool> rows[] = {
        {"", false},
        {"browse", false},
        {"export", false},
        {"cut", true},
        {"cut export", true},
        {"cut undo", false},
        {"tempo60", true},
        {"patch30 browse", true},
        {"volume60 volume100", false},
        {"cut save-tab", true},
        {"cut tempo60 save-flx", false},
        {"save-flx cut", true},
        {"cut save-flx undo", true},
        {"cut save-flx undo redo", false},
    };
    for (const auto& [steps, changed] : rows) {
        SCOPED_TRACE(steps);
        for (const char* name : {"saved.flx", "saved.tab", "song.mid"}) {
            std::filesystem::remove(PathOf(name));
        }
        OpenText("song.tab", ReadFile("song.tab"));
        std::istringstream words(steps);
        for (std::string word; words >> word;) actions.at(word)();
        host.messages.clear();
        host.answers = {MessageAnswer::Cancel};
        form.Run(Command::NewDocument);
        EXPECT_EQ(!host.messages.empty(), changed);
        host.answers.clear();
    }
}

TEST_F(FileCommands, AProgramFileThatChangedIsOfferedForSavingIntoTheTabFolder) {
    host.programDirectory = directory.string();
    OpenText("lesson.flx", PlainBlock("lesson", "--1--"));
    form.Controls().txtTAB.SetText("my lesson");
    host.answers = {MessageAnswer::Yes};
    host.chosenPaths = {std::nullopt};
    form.Run(Command::NewDocument);
    EXPECT_EQ(host.messages[0].text, "Save changes to '" + PathOf("lesson.flx") + "' ?");
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[1].initialDirectory, "/opt/fretlux/tabfiles");
    EXPECT_EQ(host.dialogs[1].fileName, "lesson.flx");
}

TEST_F(FileCommands, AFileWithoutBlocksLeavesAnEmptyDocumentAndNoMessage) {
    OpenText("notes.txt", "just some words\nand more\n");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(form.Controls().hscTAB.Max(), 0);
    EXPECT_EQ(form.Controls().caption, kTitle + "  " + PathOf("notes.txt"));
}

TEST_F(FileCommands, AFileThatCannotBeReadIsReportedAndLeavesTheShownDocumentAsItWas) {
    OpenText("song.tab", PlainBlock("my song", "--1--"));
    form.Controls().txtTAB.SetText("edited");
    const std::string edited = Line(1, 0);
    std::string blocks;
    for (int t = 0; t < 102; ++t) blocks += PlainBlock("tab " + std::to_string(t), "--7--");
    WriteFile("many.tab", blocks);
    const struct {
        std::string path;
        std::string error;
    } rows[] = {{PathOf("gone.tab"), "No such file or directory"},
                {PathOf("many.tab"), "more than 101 TABs"}};
    for (const auto& row : rows) {
        host.messages.clear();
        host.chosenPaths = {row.path};
        host.answers = {MessageAnswer::No};
        form.Run(Command::OpenFile);
        EXPECT_EQ(host.Asked().back(), OpenError(row.error) + " [Ok Exclamation Ok]");
        EXPECT_EQ(form.DocumentPath(), PathOf("song.tab"));
        EXPECT_EQ(form.Controls().caption, kTitle + "  " + PathOf("song.tab"));
        EXPECT_EQ(View(), "TAB 1/1 column 0+0 of 8");
        EXPECT_EQ(Line(1, 0), edited);
    }
    form.Run(Command::Undo);
    EXPECT_EQ(Line(1, 0), "my song") << "the document kept its history";
}

TEST_F(FileCommands, AFileOfSeveralTracksOpensTheTrackChosenAndACancelKeepsTheShownDocument) {
    const auto part = [](const std::string& id, const std::string& step) {
        return "<part id=\"" + id +
               "\"><measure><attributes><divisions>1</divisions></attributes><note>"
               "<pitch><step>" +
               step +
               "</step><octave>4</octave></pitch><duration>4</duration></note>"
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
    EXPECT_EQ(form.Controls().lblTAB[1].caption, "E0---------------|");  // the second part's E4
    host.trackAnswer = std::nullopt;
    OpenText("band.musicxml", score);
    EXPECT_EQ(host.trackLists.size(), 2u);
    EXPECT_EQ(form.Controls().lblTAB[1].caption, "E0---------------|")
        << "the shown document stays";
}

TEST_F(FileCommands, SaveProposesTheDocumentNameWithTheFormsExtensionAndCancelKeepsThePath) {
    form.Run(Command::SaveAsFretlux);  // no TAB shown: no dialog
    form.Run(Command::SaveAsTab);
    EXPECT_TRUE(host.dialogs.empty());
    OpenText("Blues.tab", PlainBlock("blues", "--3--"));
    host.chosenPaths = {std::nullopt, std::nullopt};
    form.Run(Command::SaveAsFretlux);
    form.Run(Command::SaveAsTab);
    ASSERT_EQ(host.dialogs.size(), 3u);
    EXPECT_EQ(host.dialogs[1].fileName, "Blues.flx");
    EXPECT_EQ(host.dialogs[1].filter, "Fretlux Files (*.flx)|*.flx");
    EXPECT_EQ(host.dialogs[1].initialDirectory, directory.string());
    EXPECT_EQ(host.dialogs[2].fileName, "Blues.tab");
    EXPECT_EQ(host.dialogs[2].filter, "TAB Files (*.tab)|*.tab");
    EXPECT_EQ(form.DocumentPath(), PathOf("Blues.tab"));
    EXPECT_TRUE(host.messages.empty());
    // The next dialog, of any command, starts where the save dialog was.
    host.chosenPaths = {std::nullopt};
    form.Run(Command::OpenFile);
    EXPECT_EQ(host.dialogs[3].initialDirectory, directory.string());

    form.Run(Command::NewDocument);
    host.chosenPaths = {std::nullopt};
    form.Run(Command::SaveAsTab);
    EXPECT_EQ(host.dialogs[4].fileName, "UNTITLED.tab");
    EXPECT_EQ(host.dialogs[4].initialDirectory, "");
}

TEST_F(FileCommands, SaveWritesEveryTabWithItsSettingsTheShownOneWithTheBarsAndNamesTheDocument) {
    form.Run(Command::NewDocument);
    form.Run(Command::InsertTab);  // a second blank TAB; the new one is TAB 1
    form.Controls().txtTAB.SetText("Intro");
    TypeTabText("Intro, play slowly\r\n");
    form.Controls().hscTAB.SetValue(2);  // leaving TAB 1 stamps tempo 41, volume 100, patch 25
    form.Controls().txtTAB.SetText("Verse");
    form.Controls().hscTempo.SetValue(60);
    host.chosenPaths = {PathOf("two.flx")};
    form.Run(Command::SaveAsFretlux);
    const std::string tab1 = BlankStringLine(1) + "\r\n";
    const std::string saved = ReadFile("two.flx");
    const std::string start =
        "Intro, play slowly\r\n\r\nIntro" + std::string(75, ' ') + "041100025\r\n" + tab1;
    EXPECT_EQ(saved.substr(0, start.size()), start);
    // Typed into the label of a blank TAB, it keeps the blanks the label was shown with.
    EXPECT_NE(saved.find("\r\nVerse" + std::string(75, ' ') + "060100025\r\n" + tab1),
              std::string::npos);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 16);
    EXPECT_EQ(form.DocumentPath(), PathOf("two.flx"));
    EXPECT_EQ(form.Controls().caption, kTitle + "  " + PathOf("two.flx"));
    EXPECT_EQ(Line(2, 0), "Verse" + std::string(74, ' '))
        << "the shown TAB's header is still its label box";
}

TEST_F(FileCommands, SaveAsksBeforeOverwritingAndWritesOnlyOnYes) {
    form.Run(Command::NewDocument);
    WriteFile("keep.tab", "precious");
    host.chosenPaths = {PathOf("keep.tab"), PathOf("keep.tab")};
    host.answers = {MessageAnswer::No, MessageAnswer::Yes};
    form.Run(Command::SaveAsTab);
    EXPECT_EQ(host.Asked(),
              std::vector<std::string>{"Overwrite existing file? [YesNo Question No]"});
    EXPECT_EQ(ReadFile("keep.tab"), "precious");
    EXPECT_EQ(form.DocumentPath(), "UNTITLED.FLX");

    form.Run(Command::SaveAsTab);
    const std::string expected = std::string(79, ' ') + "\r\nE" + std::string(78, '-') + "\r\n";
    EXPECT_EQ(ReadFile("keep.tab").substr(0, expected.size()), expected);
    EXPECT_EQ(form.DocumentPath(), PathOf("keep.tab"));
    EXPECT_EQ(form.Controls().caption, kTitle + "  " + PathOf("keep.tab"));
}

TEST_F(FileCommands, AFailedSaveIsReportedAndLeavesWhatWasThere) {
    form.Run(Command::NewDocument);
    std::filesystem::create_directories(directory / "folder");
    host.chosenPaths = {PathOf("folder")};
    host.answers = {MessageAnswer::Yes};
    form.Run(Command::SaveAsFretlux);
    ASSERT_EQ(host.messages.size(), 1u);
    const std::string& text = host.messages[0].text;
    EXPECT_EQ(text.rfind("Error '", 0), 0u);
    EXPECT_NE(text.find("' encountered while trying to close file, please retry."),
              std::string::npos);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(std::filesystem::is_directory(directory / "folder"));
    EXPECT_EQ(form.DocumentPath(), "UNTITLED.FLX");
    EXPECT_EQ(form.Controls().caption, kTitle + "  UNTITLED.FLX");
}

TEST_F(FileCommands, ExitEndsAtOnceWithoutADocumentAndClosesTheOutput) {
    EXPECT_TRUE(form.Exit());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.endRequests, 1);
    EXPECT_EQ(host.midiOut.closeCount, 1);
}

// The tempo, volume and patch a fresh window starts with are checked where they take effect.
TEST(StartUp, TakesItsCharacterWidthFromTheDpiAndEntersTheTabFolder) {
    for (const auto& [dpi, width] : {std::pair{96, 105}, std::pair{120, 96}, std::pair{72, 96}}) {
        ScriptedHost host;
        host.dpi = dpi;
        FretluxForm form(host);
        ASSERT_TRUE(form.StartUp());
        EXPECT_EQ(form.Columns().CharWidth(), width) << dpi << " dpi";
        EXPECT_EQ(form.Controls().caption, "Fretlux  (Ver 1.10)");
        EXPECT_EQ(host.tabFilesEntered, 1);
    }
}

TEST(StartUp, ASecondCopyIsRefused) {
    ScriptedHost host;
    host.anotherCopy = true;
    FretluxForm form(host);
    EXPECT_FALSE(form.StartUp());
    EXPECT_EQ(host.Asked(), std::vector<std::string>{"Fretlux is already running [Ok None Ok]"});
    EXPECT_EQ(host.endRequests, 1);
    EXPECT_EQ(form.Controls().caption, "");
}

}  // namespace
}  // namespace fretlux::testing
