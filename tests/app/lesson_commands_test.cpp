// SPDX-License-Identifier: MIT
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "board_test_support.h"
#include "player_fixture.h"

namespace fretlux::testing {
namespace {

class LessonCommands : public PlayerTest {
protected:
    // A one-TAB document with the label given, all six open strings twice with a rest between,
    // and an explanation as its text.
    static std::string LessonBytes(const std::string& label, TabSettings settings = {41, 100, 25}) {
        const std::string open = "1:0 2:0 3:0 4:0 5:0 6:0";
        return TabsFile({{{open, "-", open}, settings, "Listen to the open strings.\r\n", label}});
    }
    // The program file's label as the view shows it: which file was loaded.
    std::string ShownLabel() const {
        const std::string& label = form.Controls().txtTAB.Text();
        return label.substr(0, label.find(' '));
    }
    bool Playing() const { return form.Playback().PlayTimer().Interval() > 0; }
    TabSettings Bars() const {
        return {form.Controls().hscTempo.Value(), form.Controls().hscVolume.Value(),
                form.Controls().HScrollPatch.Value()};
    }
};

TEST_F(LessonCommands, EachEntryLoadsItsProgramFileLessonsOpenTheTutorAndScalesOnlyShow) {
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
        {[](FretluxForm& f) { f.Run(MenuList::BasicLessons, 1); }, "lesson1.flx", tutor, true},
        {[](FretluxForm& f) { f.Run(MenuList::Scales, 7); }, "scales7.flx", scales, false},
        {[](FretluxForm& f) { f.Run(MenuList::BasicLessons, 6); }, "lesson6.flx", tutor, true},
        {[](FretluxForm& f) { f.Run(MenuList::IntermediateLessons, 0); }, "lesson10.flx", tutor,
         true},
        {[](FretluxForm& f) { f.Run(MenuList::IntermediateLessons, 4); }, "lesson14.flx", tutor,
         true},
        {[](FretluxForm& f) { f.Run(MenuList::Scales, 0); }, "scales0.flx", scales, false},
        {[](FretluxForm& f) { f.Run(MenuList::SongLessons, 0); }, "lesson20.flx", tutor, true},
        {[](FretluxForm& f) { f.Run(MenuList::SongLessons, 2); }, "lesson22.flx", tutor, true},
    };
    std::size_t tutorsShown = 0;
    for (const auto& row : rows) {
        const std::string before = form.DocumentPath();
        row.command(form);
        EXPECT_EQ(form.DocumentPath(), PathOf(row.file));
        EXPECT_EQ(ShownLabel(), row.file);
        EXPECT_EQ(form.Controls().hscTAB.Value(), 1) << row.file;
        EXPECT_EQ(form.Controls().caption, row.caption) << row.file;
        EXPECT_EQ(form.Playback().InLesson(), row.lesson) << row.file;
        // A lesson's music waits under its first text.
        EXPECT_FALSE(Playing()) << row.file;
        if (row.lesson) ++tutorsShown;
        EXPECT_EQ(host.tutorTexts.size(), tutorsShown) << row.file;
        EXPECT_EQ(host.tutorOpen, row.lesson) << row.file;
    }
    // The program's own files are never offered for saving.
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(LessonCommands, LoadLessonsLeavesAllAsItWasWhenCancelledAndPlaysTheChosenPathAsGiven) {
    OpenText("song.flx", LessonBytes("song"));
    const std::string title = form.Controls().caption;
    host.chosenPaths.push_back(std::nullopt);
    form.Run(Command::OpenOtherLesson);
    EXPECT_EQ(host.dialogs.back().filter, "Fretlux Files (*.flx)|*.flx");
    EXPECT_EQ(host.dialogs.back().fileName, "");
    EXPECT_EQ(host.dialogs.back().initialDirectory, "/opt/fretlux");
    EXPECT_EQ(form.Controls().caption, title);
    EXPECT_EQ(form.DocumentPath(), PathOf("song.flx"));
    EXPECT_EQ(ShownLabel(), "song");
    EXPECT_FALSE(form.Playback().InLesson());

    WriteFile("My Lesson.Flx", LessonBytes("mine"));
    host.chosenPaths.push_back(PathOf("My Lesson.Flx"));
    form.Run(Command::OpenOtherLesson);
    EXPECT_EQ(form.DocumentPath(), PathOf("My Lesson.Flx"));
    EXPECT_EQ(form.Controls().caption, "Fretlux  (Ver 1.10)  Tutor");
    EXPECT_EQ(ShownLabel(), "mine");
    EXPECT_TRUE(form.Playback().InLesson());
    EXPECT_EQ(host.tutorTexts.size(), 1u);
    EXPECT_TRUE(host.tutorOpen);
}

// A lesson's music follows its explanation at once: the count-in chosen for other documents
// does not hold it up.
TEST_F(LessonCommands, ALessonStartsWithoutACountIn) {
    form.Run(MenuList::CountIns, 1);
    const auto firstTick = [this] {
        host.midiOut.messages.clear();
        form.Playback().PlayTick();
        std::string sent;
        for (const auto& m : host.midiOut.messages) {
            if (m.Data2() > 0) sent += m.Status() == 0x99 ? "click " : "note ";
        }
        return sent;
    };
    OpenText("song.flx", LessonBytes("song"));
    form.Run(Command::StartPlayback);
    EXPECT_EQ(firstTick(), "click ");

    WriteFile("lesson.flx", LessonBytes("lesson"));
    host.chosenPaths.push_back(PathOf("lesson.flx"));
    form.Run(Command::OpenOtherLesson);
    host.tutor->CloseText();
    EXPECT_EQ(firstTick(), "note note note note note note ");
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
        EXPECT_EQ(form.Controls().caption, "Fretlux  (Ver 1.10)  UNTITLED.FLX");
        EXPECT_EQ(form.Controls().lblHelp.caption, "TAB: 1 of 1");
        EXPECT_FALSE(form.Playback().InLesson());
        EXPECT_EQ(host.firstRun, firstRun);
    }
    host.messages.clear();
    EXPECT_TRUE(form.Exit());
    EXPECT_TRUE(host.messages.empty());

    form.Run(Command::PasteBarLine);
    host.answers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(form.Exit());
    EXPECT_EQ(host.Asked(), std::vector<std::string>{"Save changes to 'UNTITLED.FLX' ? "
                                                     "[YesNoCancel Question No]"});
}

TEST_F(LessonCommands, TheFirstRunOpensTheIntroductionAndCountsAsDoneOnlyOnceItHasOpened) {
    host.programDirectory = directory.string();
    host.firstRun = true;

    WriteFile("lesson0.flx", LessonBytes("lesson0.flx"));
    form.OpenStartDocument();
    EXPECT_EQ(ShownLabel(), "lesson0.flx");
    EXPECT_EQ(form.Controls().caption, "Fretlux  (Ver 1.10)  Tutor");
    EXPECT_TRUE(host.tutorOpen);
    EXPECT_FALSE(host.firstRun);
}

TEST_F(LessonCommands, EveryDocumentLoadedStartsFromTheStartUpSoundAndAClearFretboard) {
    host.programDirectory = directory.string();
    // A lesson that plays slowly on nylon strings comes first each time.
    const TabSettings slowNylon{100, 90, 24};
    WriteFile("lesson3.flx", LessonBytes("slow", slowNylon));
    WriteFile("scales2.flx", PlainBlock("A scale", "5-7-9"));
    WriteFile("ChordE.flx", PlainBlock("E chords", "0-4-7"));
    WriteFile("song.tab", PlainBlock("My song", "0-3-5-3-0"));
    const struct {
        const char* name;
        std::function<void(FretluxForm&)> command;
    } rows[] = {
        {"New", [](FretluxForm& f) { f.Run(Command::NewDocument); }},
        {"a scale chart", [](FretluxForm& f) { f.Run(MenuList::Scales, 2); }},
        {"a chord file", [](FretluxForm& f) { f.Run(MenuList::Chords, 7); }},
        {"Open", [&](FretluxForm& f) { f.OpenNamedFile(PathOf("song.tab")); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        form.Run(MenuList::BasicLessons, 3);
        form.Board().Press(3, 7, 1);
        ASSERT_EQ(Bars(), slowNylon);
        ASSERT_EQ(MarkCount(form.Board().Marks()), 1);
        row.command(form);
        EXPECT_EQ(Bars(), kStartSettings);
        EXPECT_EQ(MarkCount(form.Board().Marks()), 0);
    }
}

TEST_F(LessonCommands, AScaleChartThatIsMissingOrHoldsNoTabLeavesTheWindowWhole) {
    host.programDirectory = directory.string();
    WriteFile("scales1.flx", "A chart without a TAB\n");
    OpenText("song.tab", PlainBlock("My song", "0-3-5"));
    form.Run(MenuList::Scales, 4);
    EXPECT_EQ(host.Asked(), std::vector<std::string>{
                                "Error 'No such file or directory' encountered while trying to "
                                "open file, please retry. [Ok Exclamation Ok]"});
    EXPECT_EQ(form.Controls().txtTAB.Text(), "My song");
    EXPECT_EQ(form.DocumentPath(), PathOf("song.tab"));
    form.Run(MenuList::Scales, 1);
    EXPECT_EQ(form.Controls().caption, "Fretlux  (Ver 1.10)  Scales");
    EXPECT_EQ(form.Controls().hscTAB.Max(), 0);
    EXPECT_EQ(form.Controls().lblHelp.caption, "TAB: 0 of 0");
}

}  // namespace
}  // namespace fretlux::testing
