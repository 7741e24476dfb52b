// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "player_fixture.h"

namespace fretlux::testing {
namespace {

using Notes = std::set<int>;

TEST_F(PlayerTest, StartUpTempoIs160AndTicksEvery123Milliseconds) {
    EXPECT_EQ(form.lblTempo.caption, "160");
    OpenTabs({{{"1:0", "1:1"}}});
    form.mnuPlayStart_Click();
    EXPECT_EQ(form.Timer1.Interval(), 123);
    form.hscTempo.SetValue(form.hscTempo.Min());
    EXPECT_EQ(form.lblTempo.caption, "200");
    EXPECT_EQ(form.Timer1.Interval(), 3);
}

TEST_F(PlayerTest, PlaysEveryColumnOnItsOwnTickAcrossTabsThenHalts) {
    OpenTabs({{{"6:0 1:3", "-", "2:1"}}, {{"3:2"}}});
    form.mnuPlayStart_Click();
    const auto ticks = Ticks(20);
    // The rest takes a tick of its own; the second TAB is one column long.
    ASSERT_EQ(ticks.size(), 4u);
    EXPECT_EQ(ticks[0], (Notes{NoteOf(6, 0), NoteOf(1, 3)}));
    EXPECT_EQ(ticks[1], Notes{});
    EXPECT_EQ(ticks[2], Notes{NoteOf(2, 1)});
    EXPECT_EQ(ticks[3], Notes{NoteOf(3, 2)});
    EXPECT_EQ(form.Timer1.Interval(), 0);
    EXPECT_EQ(form.hscTAB.Value(), 2);
}

TEST_F(PlayerTest, ALowStringSoundsBeforeAHighOneInAColumn) {
    OpenTabs({{{"1:5 6:3", "-"}}});
    form.mnuPlayStart_Click();
    ForgetMessages();
    form.Timer1_Timer();
    EXPECT_EQ(NotesOn(), (std::vector<int>{NoteOf(6, 3), NoteOf(1, 5)}));
}

TEST_F(PlayerTest, AOneColumnSelectionIsNotLooped) {
    OpenTabs({{{"1:0", "1:1", "1:2"}}});
    SelectColumns(1, 1);
    form.mnuPlayStart_Click();
    const auto ticks = Ticks(20);
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[0], Notes{NoteOf(1, 1)});
    EXPECT_EQ(ticks[1], Notes{NoteOf(1, 2)});
}

TEST_F(PlayerTest, AThreeColumnSelectionRepeatsUntilStop) {
    OpenTabs({{{"1:0", "1:1", "1:2", "1:3", "1:4"}}});
    SelectColumns(1, 3);
    form.mnuPlayStart_Click();
    const auto ticks = Ticks(9);
    ASSERT_EQ(ticks.size(), 9u);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(ticks[i], Notes{NoteOf(1, 1 + i % 3)}) << "tick " << i;
    form.mnuPlayStop_Click();
    EXPECT_EQ(form.Timer1.Interval(), 0);
}

TEST_F(PlayerTest, OfTwoAdjacentBarsTheFirstIsSkippedAndTheSecondTakesASilentTick) {
    OpenTabs({{{"1:0", "|", "|", "1:2"}}});
    form.mnuPlayStart_Click();
    const auto ticks = Ticks(20);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_EQ(ticks[0], Notes{NoteOf(1, 0)});
    EXPECT_EQ(ticks[1], Notes{});
    EXPECT_EQ(ticks[2], Notes{NoteOf(1, 2)});
}

TEST_F(PlayerTest, ABarInsideALoopedSelectionCountsAsOneOfItsColumns) {
    OpenTabs({{{"1:0", "|", "1:2", "1:3"}}});
    SelectColumns(0, 3);
    form.mnuPlayStart_Click();
    const auto ticks = Ticks(4);
    EXPECT_EQ(ticks[0], Notes{NoteOf(1, 0)});
    EXPECT_EQ(ticks[1], Notes{NoteOf(1, 2)});
    EXPECT_EQ(ticks[2], Notes{NoteOf(1, 0)});
    EXPECT_EQ(ticks[3], Notes{NoteOf(1, 2)});
}

TEST_F(PlayerTest, AnEmptyTabCannotBeStarted) {
    OpenTabs({{{"1:3"}}});
    form.mnuPlayStart_Click();
    EXPECT_EQ(form.Timer1.Interval(), 0);
}

TEST_F(PlayerTest, StartEndsTheTuningAid) {
    OpenTabs({{{"1:0", "1:1"}}});
    form.mnuPlayTune_Click();
    form.Timer2_Timer();
    form.mnuPlayStart_Click();
    EXPECT_EQ(form.Timer2.Interval(), 0);
}

TEST_F(PlayerTest, StartAtTheLastTabHaltsWithItsNotesSoundingUntilASecondStop) {
    OpenTabs({{{"1:0", "1:1"}}, {{"2:0", "2:3"}}});
    form.mnuPlayNext_Click();
    form.mnuPlayStart_Click();
    ASSERT_EQ(Ticks(10).size(), 2u);
    EXPECT_EQ(form.Timer1.Interval(), 0);
    EXPECT_EQ(form.hscTAB.Value(), 2);
    // Halting silenced nothing; the first Stop after it is the one that silences and rewinds.
    ForgetMessages();
    form.curColumn = 1;
    form.mnuPlayStop_Click();
    EXPECT_EQ(NoteOffSweeps(), 49);
    EXPECT_EQ(form.curColumn, 0);
}

TEST_F(PlayerTest, StopPausesThenSilencesAndRewinds) {
    OpenTabs({{{"1:0", "1:1", "1:2", "1:3"}}});
    SelectColumns(0, 3);
    form.mnuPlayStart_Click();
    Ticks(2);
    ForgetMessages();
    form.mnuPlayStop_Click();
    EXPECT_EQ(form.Timer1.Interval(), 0);
    EXPECT_EQ(form.curColumn, 2);
    EXPECT_EQ(form.selLength, 1);
    EXPECT_TRUE(host.midiOut.messages.empty());
    form.mnuPlayStop_Click();
    EXPECT_EQ(NoteOffSweeps(), 49);
    EXPECT_EQ(form.curColumn, 0);
    EXPECT_EQ(form.selLength, 0);
}

TEST_F(PlayerTest, NextKeepsPlayingFromTheNextTabsFirstColumn) {
    OpenTabs({{{"1:0", "1:1", "1:2"}}, {{"2:0", "2:1"}}});
    form.mnuPlayStart_Click();
    Ticks(1);
    form.mnuPlayNext_Click();
    EXPECT_EQ(form.hscTAB.Value(), 2);
    EXPECT_EQ(form.curColumn, 0);
    EXPECT_EQ(Ticks(1)[0], Notes{NoteOf(2, 0)});
    form.mnuPlayNext_Click();
    EXPECT_EQ(form.Timer1.Interval(), 0);
}

TEST_F(PlayerTest, PreviousMovesBackAndStopsAtTheFirstTab) {
    OpenTabs({{{"1:0", "1:1"}}, {{"2:0", "2:1"}}});
    form.mnuPlayNext_Click();
    form.mnuPlayPrevious_Click();
    EXPECT_EQ(form.hscTAB.Value(), 1);
    form.mnuPlayPrevious_Click();
    EXPECT_EQ(form.hscTAB.Value(), 1);
}

TEST_F(PlayerTest, ATabsStoredTempoTakesEffectAtOnceWhilePlaying) {
    OpenTabs({{{"1:0", "1:1"}, {41, 100, 25}}, {{"2:0", "2:1"}, {100, 100, 25}}});
    form.mnuPlayStart_Click();
    Ticks(2);
    EXPECT_EQ(form.hscTAB.Value(), 2);
    EXPECT_EQ(form.Timer1.Interval(), 300);
    EXPECT_EQ(form.lblTempo.caption, "101");
}

TEST_F(PlayerTest, ATempoChangeWhileIdleLeavesTheTimerStopped) {
    form.hscTempo.SetValue(10);
    EXPECT_EQ(form.Timer1.Interval(), 0);
    EXPECT_EQ(form.lblTempo.caption, "191");
}

TEST_F(PlayerTest, ATabsStoredPatchSilencesAndChangesProgramWhilePlaying) {
    OpenTabs({{{"1:0", "1:1"}, {41, 100, 25}}, {{"2:0", "2:1"}, {41, 100, 30}}});
    form.mnuPlayStart_Click();
    Ticks(1);
    ForgetMessages();
    Ticks(1);
    // The tick plays the first TAB's last column, then moving on sweeps the notes off and
    // changes the program.
    const auto& sent = host.midiOut.messages;
    ASSERT_EQ(sent.size(), 2u + 49u + 1u);
    for (int i = 2; i < 51; ++i) EXPECT_EQ(sent[i].message, 0x90u + 256u * (38 + i)) << i;
    EXPECT_EQ(sent[51].Status(), 0xC0);
    EXPECT_EQ(sent[51].Data1(), 30);
}

class StepTest : public PlayerTest {};

TEST_F(StepTest, StepForwardSoundsTheNextNoteColumnAndStopsPlayback) {
    OpenTabs({{{"1:0", "-", "-", "1:4", "-"}}});
    form.mnuPlayStart_Click();
    ForgetMessages();
    form.mnuPlayStepForward_Click();
    EXPECT_EQ(form.Timer1.Interval(), 0);
    EXPECT_EQ(form.curColumn, 3);
    EXPECT_EQ(NotesOn(), std::vector<int>{NoteOf(1, 4)});
    EXPECT_EQ(form.selLength, 1);
}

TEST_F(StepTest, StepForwardWithoutALaterNoteInTheTabMovesOneColumnSilently) {
    OpenTabs({{{"1:0", "1:1", "-", "-"}}});
    form.curColumn = 1;
    ForgetMessages();
    form.mnuPlayStepForward_Click();
    EXPECT_EQ(form.curColumn, 2);
    EXPECT_TRUE(NotesOn().empty());
}

TEST_F(StepTest, StepForwardFromTheLastColumnGoesOnToTheNextTabsFirstNote) {
    OpenTabs({{{"1:0", "1:1"}}, {{"-", "-", "3:7", "-"}}});
    form.curColumn = 1;
    ForgetMessages();
    form.mnuPlayStepForward_Click();
    EXPECT_EQ(form.hscTAB.Value(), 2);
    EXPECT_EQ(form.curColumn, 2);
    EXPECT_EQ(NotesOn(), std::vector<int>{NoteOf(3, 7)});
}

TEST_F(StepTest, StepForwardEndsWhenNoNoteIsLeftAnywhere) {
    OpenTabs({{{"1:0", "-", "-", "1:1"}}, {{"-", "-"}}});
    form.curColumn = 3;
    ForgetMessages();
    form.mnuPlayStepForward_Click();
    EXPECT_EQ(form.hscTAB.Value(), 2);
    EXPECT_EQ(form.curColumn, 0);
    EXPECT_TRUE(NotesOn().empty());
    // The window was given its events after every column searched.
    EXPECT_GT(host.pendingEventRuns, 0);
}

TEST_F(StepTest, StepForwardWithoutATabDoesNothing) {
    form.mnuPlayStepForward_Click();
    EXPECT_EQ(form.curColumn, 0);
    EXPECT_EQ(host.pendingEventRuns, 0);
}

TEST_F(StepTest, StepBackBeforeTheFirstNoteStaysSilentAtColumnZero) {
    OpenTabs({{{"-", "-", "1:2"}}});
    form.curColumn = 2;
    ForgetMessages();
    form.mnuPlayStepBack_Click();
    EXPECT_EQ(form.curColumn, 0);
    EXPECT_TRUE(NotesOn().empty());
}

TEST_F(StepTest, StepBackDuringPlaybackJumpsBackAndPlaysOn) {
    OpenTabs({{{"1:0", "-", "1:2", "1:3"}}});
    form.mnuPlayStart_Click();
    Ticks(3);
    ForgetMessages();
    form.mnuPlayStepBack_Click();
    EXPECT_EQ(form.Timer1.Interval(), 123);
    EXPECT_EQ(form.curColumn, 2);
    EXPECT_EQ(NotesOn(), std::vector<int>{NoteOf(1, 2)});
}

class TuneGuitarTest : public PlayerTest {
protected:
    // Runs one tuning tick and returns the notes it switched on.
    std::vector<int> TuneTick() {
        ForgetMessages();
        form.Timer2_Timer();
        return NotesOn();
    }
};

TEST_F(TuneGuitarTest, SoundsTheOpenStringsTwoSecondsApartThenClearsTheFretboard) {
    form.mnuPlayTune_Click();
    EXPECT_EQ(form.Timer2.Interval(), 1);
    const int open[] = {40, 45, 50, 55, 59, 64};
    for (int s = 0; s < 6; ++s) {
        EXPECT_EQ(TuneTick(), std::vector<int>{open[s]});
        EXPECT_EQ(form.Timer2.Interval(), 2000);
    }
    EXPECT_TRUE(TuneTick().empty());
    EXPECT_EQ(form.Timer2.Interval(), 0);
    EXPECT_EQ(form.tuneString, 0);
    for (int r = 1; r <= 6; ++r) {
        for (int i = 0; i < 25; ++i) EXPECT_FALSE(form.fretboard.At(r, i).marked);
    }
}

TEST_F(TuneGuitarTest, InterruptedAfterTheThirdStringItResumesWithTheFourth) {
    form.mnuPlayTune_Click();
    for (int s = 0; s < 3; ++s) TuneTick();
    form.mnuPlayStop_Click();
    EXPECT_EQ(form.Timer2.Interval(), 0);
    form.mnuPlayTune_Click();
    EXPECT_EQ(TuneTick(), std::vector<int>{55});
    EXPECT_EQ(TuneTick(), std::vector<int>{59});
    EXPECT_EQ(TuneTick(), std::vector<int>{64});
    EXPECT_TRUE(TuneTick().empty());
    EXPECT_EQ(form.Timer2.Interval(), 0);
}

class LessonPlaybackTest : public PlayerTest {};

TEST_F(LessonPlaybackTest, ATabWithTextOpensTheTutorWhenPlaybackReachesIt) {
    OpenTabs({{{"1:0", "1:1"}, {41, 100, 25}, "Intro"},
              {{"2:0"}, {41, 100, 25}, "Second"}});
    std::vector<std::string> shown;
    host.onTextEditor = [&](TextEditorForm& editor) {
        shown.push_back(editor.text);
        EXPECT_TRUE(editor.locked);
        EXPECT_EQ(editor.caption, "Fretlux Tutor");
    };
    // Texts read from a file end in a line end.
    form.gLessonMode = true;
    form.mnuPlayStart_Click();
    EXPECT_EQ(shown, std::vector<std::string>{"Intro\r\n"});
    Ticks(2);
    EXPECT_EQ(shown, (std::vector<std::string>{"Intro\r\n", "Second\r\n"}));
    EXPECT_EQ(form.document.tabTexts[1], "Second\r\n");
}

TEST_F(LessonPlaybackTest, TicksWhileTheTutorIsOpenNeverOpenASecondOne) {
    OpenTabs({{{"1:0", "1:1"}, {41, 100, 25}}, {{"2:0", "2:1"}, {41, 100, 25}, "A"},
              {{"3:0", "3:1"}, {41, 100, 25}, "B"}});
    form.gLessonMode = true;
    form.mnuPlayStart_Click();
    // While the tutor shows TAB 2's text, playback goes on into TAB 3, which has a text too.
    host.onTextEditor = [&](TextEditorForm&) {
        host.onTextEditor = nullptr;
        for (int i = 0; i < 3; ++i) form.Timer1_Timer();
    };
    form.Timer1_Timer();
    form.Timer1_Timer();
    EXPECT_EQ(host.textEditorShown, 1);
    EXPECT_EQ(form.hscTAB.Value(), 3);
}

TEST_F(LessonPlaybackTest, StopEndsTheLesson) {
    OpenTabs({{{"1:0", "1:1"}}});
    form.gLessonMode = true;
    form.mnuPlayStop_Click();
    EXPECT_FALSE(form.gLessonMode);
}

TEST_F(PlayerTest, OpeningAFileStopsPlayback) {
    OpenTabs({{{"1:0", "1:1", "1:2"}}});
    form.mnuPlayStart_Click();
    OpenTabs({{{"2:0", "2:1"}}});
    EXPECT_EQ(form.Timer1.Interval(), 0);
}

TEST_F(PlayerTest, PlayFretboardSoundsEveryPlayableMarkAtOnce) {
    form.lblStr_MouseDown(1, 3, kLeftButton);
    form.lblStr_MouseDown(6, 0, kLeftButton);
    ForgetMessages();
    form.mnuPlayFret_Click();
    auto notes = NotesOn();
    EXPECT_EQ(Notes(notes.begin(), notes.end()).size(), 2u);
}

}  // namespace
}  // namespace fretlux::testing
