// SPDX-License-Identifier: MIT
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/tab_cell.h"
#include "document/tab_file_writer.h"
#include "document/tab_header.h"
#include "form_fixture.h"

namespace fretlux::testing {
namespace {

// A one-TAB document labelled with its file name, two open strings with a rest between, and an
// explanation as its text.
std::string LessonBytes(const std::string& label) {
    TabDocument document;
    document.tabCount = 1;
    document.tabLines[0][0] = StampHeader(label, {41, 100, 25});
    for (int line = 1; line < kLinesPerTab; ++line) {
        document.tabLines[0][line] = HeaderCell(kStringLetters[line - 1]) + "0AH  -    0AH  ";
    }
    document.tabTexts[0] = "Listen to the open strings.\r\n";
    return WriteEnhancedForm(document);
}

class LessonCommands : public FormTest {
protected:
    // The program file's label as the view shows it: which file was loaded.
    std::string ShownLabel() const {
        const std::string& label = form.txtTAB.Text();
        return label.substr(0, label.find(' '));
    }
    bool Playing() const { return form.Timer1.Interval() > 0; }
};

TEST_F(LessonCommands, EachEntryLoadsItsProgramFileLessonsPlayInTheTutorAndScalesOnlyShow) {
    host.programDirectory = directory.string();
    for (const char* name : {"lesson1.flx", "lesson6.flx", "lesson10.flx", "lesson14.flx",
                             "lesson20.flx", "lesson22.flx", "scales0.flx", "scales7.flx"}) {
        WriteFile(name, LessonBytes(name));
    }
    const std::string tutor = "Fretlux  (Ver 1.10)  Tutor";
    const std::string scales = "Fretlux  (Ver 1.10)  Scales";
    const struct {
        std::function<void(FretluxForm&)> command;
        const char* file;
        const std::string& caption;
        bool lesson;
    } rows[] = {
        {[](FretluxForm& f) { f.mnuLesson_Click(1); }, "lesson1.flx", tutor, true},
        {[](FretluxForm& f) { f.mnuScales_Click(7); }, "scales7.flx", scales, false},
        {[](FretluxForm& f) { f.mnuLesson_Click(6); }, "lesson6.flx", tutor, true},
        {[](FretluxForm& f) { f.mnuLessonI_Click(0); }, "lesson10.flx", tutor, true},
        {[](FretluxForm& f) { f.mnuLessonI_Click(4); }, "lesson14.flx", tutor, true},
        {[](FretluxForm& f) { f.mnuScales_Click(0); }, "scales0.flx", scales, false},
        {[](FretluxForm& f) { f.mnuLessonS_Click(0); }, "lesson20.flx", tutor, true},
        {[](FretluxForm& f) { f.mnuLessonS_Click(2); }, "lesson22.flx", tutor, true},
    };
    int tutorsShown = 0;
    bool tutorLocked = false;
    host.onTextEditor = [&tutorLocked](TextEditorForm& editor) { tutorLocked = editor.locked; };
    for (const auto& row : rows) {
        const std::string before = form.gCurrentPath;
        tutorLocked = false;
        row.command(form);
        EXPECT_EQ(form.gCurrentPath, PathOf(row.file));
        EXPECT_EQ(form.previousPath, before) << row.file;
        EXPECT_EQ(ShownLabel(), row.file);
        EXPECT_EQ(form.hscTAB.Value(), 1) << row.file;
        EXPECT_EQ(form.caption, row.caption) << row.file;
        EXPECT_EQ(form.gLessonMode, row.lesson) << row.file;
        EXPECT_EQ(Playing(), row.lesson) << row.file;
        if (row.lesson) ++tutorsShown;
        EXPECT_EQ(host.textEditorShown, tutorsShown) << row.file;
        EXPECT_EQ(tutorLocked, row.lesson) << row.file;
    }
    // The program's own files are never offered for saving.
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(LessonCommands, LoadLessonsLeavesAllAsItWasWhenCancelledAndPlaysTheChosenPathAsGiven) {
    OpenText("song.flx", LessonBytes("song"));
    const std::string title = form.caption;
    host.chosenPaths.push_back(std::nullopt);
    form.mnuLessonMore_Click();
    EXPECT_EQ(host.dialogs.back().filter, "Fretlux Files (*.flx)|*.flx");
    EXPECT_EQ(host.dialogs.back().fileName, "");
    EXPECT_EQ(host.dialogs.back().initialDirectory, "/opt/fretlux");
    EXPECT_EQ(form.caption, title);
    EXPECT_EQ(form.gCurrentPath, PathOf("song.flx"));
    EXPECT_EQ(ShownLabel(), "song");
    EXPECT_FALSE(form.gLessonMode);

    WriteFile("My Lesson.Flx", LessonBytes("mine"));
    host.chosenPaths.push_back(PathOf("My Lesson.Flx"));
    host.answers.push_back(MessageAnswer::No);
    form.mnuLessonMore_Click();
    EXPECT_EQ(host.Asked(), std::vector<std::string>{"Save changes to '" + PathOf("song.flx") +
                                                     "' ? [YesNoCancel Question No]"});
    EXPECT_EQ(form.gCurrentPath, PathOf("My Lesson.Flx"));
    EXPECT_EQ(form.caption, "Fretlux  (Ver 1.10)  Tutor");
    EXPECT_EQ(ShownLabel(), "mine");
    EXPECT_TRUE(form.gLessonMode);
    EXPECT_TRUE(Playing());
    EXPECT_EQ(host.textEditorShown, 1);
}

// A later start, or a first one whose Introduction is missing, shows a blank TAB to write on,
// which Exit leaves without a question until something is written on it.
TEST_F(LessonCommands, AStartWithoutTheIntroductionShowsTheBlankTabOfNew) {
    host.programDirectory = directory.string();
    for (const bool firstRun : {false, true}) {
        host.firstRun = firstRun;
        host.messages.clear();
        form.OpenStartDocument();
        EXPECT_EQ(host.Asked().size(), firstRun ? 1u : 0u) << "a missing Introduction is reported";
        EXPECT_EQ(View(), "TAB 1/1 column 0+0 of 77");
        EXPECT_EQ(form.caption, "Fretlux  (Ver 1.10)  UNTITLED.FLX");
        EXPECT_EQ(form.lblHelp.caption, "TAB: 1 of 1");
        EXPECT_FALSE(form.gLessonMode);
        EXPECT_EQ(host.firstRun, firstRun);
    }
    host.messages.clear();
    EXPECT_TRUE(form.MNUFExit_Click());
    EXPECT_TRUE(host.messages.empty());

    form.mnuEditPasteBar_Click();
    host.answers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(form.MNUFExit_Click());
    EXPECT_EQ(host.Asked(), std::vector<std::string>{"Save changes to 'UNTITLED.FLX' ? "
                                                     "[YesNoCancel Question No]"});
}

TEST_F(LessonCommands, TheFirstRunOpensTheIntroductionAndCountsAsDoneOnlyOnceItHasOpened) {
    host.programDirectory = directory.string();
    host.firstRun = true;

    WriteFile("lesson0.flx", LessonBytes("lesson0.flx"));
    form.OpenStartDocument();
    EXPECT_EQ(ShownLabel(), "lesson0.flx");
    EXPECT_EQ(form.caption, "Fretlux  (Ver 1.10)  Tutor");
    EXPECT_TRUE(Playing());
    EXPECT_EQ(host.textEditorShown, 1);
    EXPECT_FALSE(host.firstRun);
}

}  // namespace
}  // namespace fretlux::testing
