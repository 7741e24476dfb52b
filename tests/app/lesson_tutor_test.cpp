// SPDX-License-Identifier: MIT
// The tutor of a lesson: each step's text opens once when the lesson reaches it, and the music
// waits at the step's first column until the student closes the text or presses a button.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document/tab_file_reader.h"
#include "player_fixture.h"

namespace fretlux::testing {
namespace {

using Played = std::vector<std::set<int>>;
using Texts = std::vector<std::string>;

constexpr const char* kLessonEnd =
    "HELP: This is the end of the lesson. The Lessons menu holds the next one";

class LessonTutorTest : public PlayerTest {
protected:
    // Four TABs in three steps: "One" spans TABs 1 and 2.
    void PlayLessonFile() {
        WriteFile("lesson.flx", TabsFile({{{"1:0", "1:1"}, {}, "One"},
                                          {{"2:0", "2:1"}},
                                          {{"3:0", "3:1"}, {}, "Three"},
                                          {{"4:0", "4:2"}, {}, "Four"}}));
        host.chosenPaths.push_back(PathOf("lesson.flx"));
        form.Run(Command::OpenOtherLesson);
    }

    bool Playing() const { return form.Playback().PlayTimer().Interval() > 0; }
    // A text read from a file ends in a line end.
    static std::string Text(const char* text) { return std::string(text) + "\r\n"; }
};

TEST_F(LessonTutorTest, EachStepWaitsUnderItsTextWhichOpensOnceAndTheButtonsMoveOn) {
    PlayLessonFile();
    EXPECT_EQ(host.tutorTexts, Texts{Text("One")});
    EXPECT_TRUE(host.tutorOpen);
    EXPECT_FALSE(Playing());
    EXPECT_EQ(View(), "TAB 1/4 column 0+0 of 1");

    // Play step: the step once, both its TABs, then back to its first column, the text still open.
    host.tutor->PlayStep();
    EXPECT_EQ(Ticks(50), (Played{{NoteOf(1, 0)}, {NoteOf(1, 1)}, {NoteOf(2, 0)}, {NoteOf(2, 1)}}));
    EXPECT_FALSE(Playing());
    EXPECT_EQ(View(), "TAB 1/4 column 0+0 of 1");
    EXPECT_TRUE(host.tutorOpen);

    // Close: the text closes and the music plays on into the next step, which waits in turn.
    host.tutor->CloseText();
    EXPECT_FALSE(host.tutorOpen);
    EXPECT_EQ(Ticks(50).size(), 4u);
    EXPECT_EQ(host.tutorTexts, (Texts{Text("One"), Text("Three")}));
    EXPECT_TRUE(host.tutorOpen);
    EXPECT_FALSE(Playing());
    EXPECT_EQ(View(), "TAB 3/4 column 0+0 of 1");

    // Start while reading, at the fastest tempo: however long the text stays open, the music
    // stays in its step, so the next text cannot be passed by.
    form.Controls().hscTempo.SetValue(form.Controls().hscTempo.Min());
    form.Run(Command::StartPlayback);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 3);
    EXPECT_EQ(Ticks(50), (Played{{NoteOf(3, 0)}, {NoteOf(3, 1)}}));
    EXPECT_EQ(View(), "TAB 3/4 column 0+0 of 1");

    // Next step: the next text, waiting at its first column.
    host.tutor->NextStep();
    EXPECT_EQ(host.tutorTexts, (Texts{Text("One"), Text("Three"), Text("Four")}));
    EXPECT_FALSE(Playing());
    EXPECT_EQ(View(), "TAB 4/4 column 0+0 of 1");

    host.tutor->CloseText();
    EXPECT_EQ(Ticks(50), (Played{{NoteOf(4, 0)}, {NoteOf(4, 2)}}));
    EXPECT_FALSE(Playing());
    EXPECT_EQ(form.Controls().lblHelp.caption, kLessonEnd);
    EXPECT_EQ(host.tutorTexts.size(), 3u);
    EXPECT_TRUE(form.Playback().InLesson());
}

TEST_F(LessonTutorTest, StopKeepsTheLessonAndNextAndPreviousOpenTheStepsTheyReach) {
    PlayLessonFile();
    host.tutor->CloseText();
    Ticks(1);
    form.Run(Command::StopPlayback);
    form.Run(Command::StopPlayback);
    EXPECT_TRUE(form.Playback().InLesson());
    EXPECT_EQ(View(), "TAB 1/4 column 0+0 of 1");
    // Start goes on within the step reached, and with the explanations after it.
    form.Run(Command::StartPlayback);
    EXPECT_EQ(Ticks(50).size(), 4u);
    EXPECT_EQ(host.tutorTexts, (Texts{Text("One"), Text("Three")}));

    form.Run(Command::PreviousTab);
    EXPECT_EQ(View(), "TAB 1/4 column 0+0 of 1");
    form.Run(Command::NextTab);
    form.Run(Command::NextTab);
    EXPECT_EQ(host.tutorTexts,
              (Texts{Text("One"), Text("Three"), Text("One"), Text("Three"), Text("Four")}));
    EXPECT_EQ(View(), "TAB 4/4 column 0+0 of 1");
    EXPECT_FALSE(Playing());
    // The second TAB of a step shows the step's text.
    form.Controls().hscTAB.SetValue(2);
    form.Run(Command::EditTabText);
    EXPECT_EQ(host.tutorTexts.back(), Text("One"));
    EXPECT_EQ(host.textEditorShown, 0);
    form.Controls().hscTAB.SetValue(4);
    form.Run(Command::NextTab);
    EXPECT_FALSE(host.tutorOpen);
    EXPECT_EQ(form.Controls().lblHelp.caption, kLessonEnd);

    // Another document ends the lesson, and closes its text.
    form.Run(Command::PreviousTab);
    EXPECT_TRUE(host.tutorOpen);
    OpenTabs({{{"1:0"}, {}, "Not a lesson"}, {{"2:0"}, {}, "Nor this"}});
    EXPECT_FALSE(host.tutorOpen);
    EXPECT_FALSE(form.Playback().InLesson());
    const std::size_t shown = host.tutorTexts.size();
    form.Run(Command::StartPlayback);
    Ticks(5);
    form.Run(Command::PreviousTab);
    EXPECT_EQ(host.tutorTexts.size(), shown);
}

// Every shipped lesson read by a student who listens to each step while reading its text: every
// text opens once, in order, and the lesson says when it is over.
TEST_F(LessonTutorTest, EveryShippedLessonOpensEachTextOnceInOrderWhateverTheReadingTakes) {
    host.programDirectory = FRETLUX_DATA_DIR;
    int lessons = 0;
    for (const auto& entry : std::filesystem::directory_iterator(FRETLUX_DATA_DIR)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("lesson") || !name.ends_with(".flx")) continue;
        ++lessons;
        const TabReadResult read = ReadTabFile(entry.path().string(), TabForm::Enhanced);
        ASSERT_FALSE(read.error) << name;
        Texts expected;
        for (int t = 0; t < read.document.tabCount; ++t) {
            if (!read.document.tabTexts[t].empty()) expected.push_back(read.document.tabTexts[t]);
        }
        host.tutorTexts.clear();
        host.chosenPaths.push_back(entry.path().string());
        form.Run(Command::OpenOtherLesson);
        for (int presses = 0; presses < 1000 && form.Controls().lblHelp.caption != kLessonEnd;
             ++presses) {
            if (host.tutorOpen) {
                // Listens to the step while reading, then closes the text.
                form.Run(Command::StartPlayback);
                Ticks(10000);
                host.tutor->CloseText();
            }
            Ticks(10000);
        }
        EXPECT_EQ(host.tutorTexts, expected) << name;
        EXPECT_EQ(form.Controls().lblHelp.caption, kLessonEnd) << name;
    }
    EXPECT_GE(lessons, 15);
}

}  // namespace
}  // namespace fretlux::testing
