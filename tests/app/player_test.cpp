// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "player_fixture.h"

namespace fretlux::testing {
namespace {

using Notes = std::set<int>;
using Played = std::vector<Notes>;

TEST_F(PlayerTest, StartUpTempoIs160AndTicksEvery123MillisecondsAndChangesTakeEffectAtOnce) {
    EXPECT_EQ(form.lblTempo.caption, "160");
    form.hscTempo.SetValue(10);  // idle: the timer stays stopped
    EXPECT_EQ(form.playTimer.Interval(), 0);
    EXPECT_EQ(form.lblTempo.caption, "191");
    form.hscTempo.SetValue(41);
    OpenTabs({{{"1:0", "1:1"}}});
    form.StartPlayback();
    EXPECT_EQ(form.playTimer.Interval(), 123);
    form.hscTempo.SetValue(form.hscTempo.Min());
    EXPECT_EQ(form.lblTempo.caption, "200");
    EXPECT_EQ(form.playTimer.Interval(), 3);
}

TEST_F(PlayerTest, PlaysEveryColumnOnItsOwnTickLowStringFirstAcrossTabsThenHalts) {
    OpenTabs({{{"1:3 6:0", "-", "2:1"}}, {{"3:2"}}});
    form.StartPlayback();
    ForgetMessages();
    form.PlayTick();
    EXPECT_EQ(NotesOn(), (std::vector<int>{NoteOf(6, 0), NoteOf(1, 3)}));
    // The rest takes a tick of its own; the second TAB is one column long.
    EXPECT_EQ(Ticks(20), (Played{{}, {NoteOf(2, 1)}, {NoteOf(3, 2)}}));
    EXPECT_EQ(form.playTimer.Interval(), 0);
    EXPECT_EQ(form.hscTAB.Value(), 2);
}

TEST_F(PlayerTest, ASelectionOfTwoOrMoreColumnsRepeatsToItsLastColumnAndOfOneIsPlayedOn) {
    // Up to 7 ticks: a selection that is not looped halts before.
    const struct {
        std::vector<std::string> columns;
        int first, count;
        std::vector<int> frets;  // of line 1 per tick, -1 for a silent tick
    } rows[] = {
        {{"1:0", "1:1", "1:2"}, 1, 1, {1, 2}},
        {{"1:0", "1:1", "1:2"}, 0, 2, {0, 1, 0, 1, 0, 1, 0}},
        {{"1:0", "1:1", "1:2", "1:3", "1:4"}, 1, 3, {1, 2, 3, 1, 2, 3, 1}},
        // A bar inside the selection counts as one of its columns.
        {{"1:0", "|", "1:2", "1:3"}, 0, 3, {0, 2, 0, 2, 0, 2, 0}},
        // Neither the bar skipped after it nor the end of the TAB carries playback on.
        {{"1:0", "1:1", "1:2", "|", "1:4"}, 1, 2, {1, 2, 1, 2, 1, 2, 1}},
        {{"1:0", "1:1", "1:2"}, 1, 2, {1, 2, 1, 2, 1, 2, 1}},
        // Of two adjacent bars the first is skipped and the second takes a silent tick.
        {{"1:0", "|", "|", "1:2"}, 0, 0, {0, -1, 2}},
    };
    for (const auto& row : rows) {
        Played expected;
        for (int fret : row.frets) expected.push_back(fret < 0 ? Notes{} : Notes{NoteOf(1, fret)});
        OpenTabs({{row.columns}});
        Select(row.first, row.count);
        form.StartPlayback();
        EXPECT_EQ(Ticks(7), expected);
    }
}

TEST_F(PlayerTest, AnEmptyTabCannotBeStartedAndStartEndsTheTuningAid) {
    OpenTabs({{{"1:3"}}});
    form.StartPlayback();
    EXPECT_EQ(form.playTimer.Interval(), 0);
    OpenTabs({{{"1:0", "1:1"}}});
    form.TuneGuitar();
    form.TuneTick();
    form.StartPlayback();
    EXPECT_EQ(form.tuneTimer.Interval(), 0);
    EXPECT_EQ(form.playTimer.Interval(), 123);
    // Opening a file stops playback.
    OpenTabs({{{"2:0", "2:1"}}});
    EXPECT_EQ(form.playTimer.Interval(), 0);
}

TEST_F(PlayerTest, StopPausesThenSilencesAndRewinds) {
    OpenTabs({{{"1:0", "1:1", "1:2", "1:3"}}});
    Select(0, 3);
    form.StartPlayback();
    Ticks(2);
    ForgetMessages();
    form.StopPlayback();
    EXPECT_EQ(form.playTimer.Interval(), 0);
    EXPECT_EQ(View(), "TAB 1/1 column 2+1 of 3");
    EXPECT_TRUE(host.midiOut.messages.empty());
    form.StopPlayback();
    EXPECT_EQ(NoteOffs(), 49);
    EXPECT_EQ(View(), "TAB 1/1 column 0+0 of 3");
}

TEST_F(PlayerTest, StartAtTheLastTabHaltsWithItsNotesSoundingUntilAStop) {
    OpenTabs({{{"1:0", "1:1"}}, {{"2:0", "2:3"}}});
    form.GoToNextTab();
    form.StartPlayback();
    ASSERT_EQ(Ticks(10).size(), 2u);
    EXPECT_EQ(form.playTimer.Interval(), 0);
    EXPECT_EQ(form.hscTAB.Value(), 2);
    EXPECT_EQ(NoteOffs(), 1);  // only the row's previous note, before the last column's note
    ForgetMessages();
    form.SelectColumns(1, 0);
    form.StopPlayback();
    EXPECT_EQ(NoteOffs(), 49);
    EXPECT_EQ(form.cursorColumn, 0);
}

TEST_F(PlayerTest, NextPlaysOnFromTheNextTabAndPreviousStopsAtTheFirst) {
    OpenTabs({{{"1:0", "1:1", "1:2"}}, {{"2:0", "2:1"}}});
    form.StartPlayback();
    Ticks(1);
    form.GoToNextTab();
    EXPECT_EQ(View(), "TAB 2/2 column 0+0 of 1");
    EXPECT_EQ(Ticks(1)[0], Notes{NoteOf(2, 0)});
    form.GoToNextTab();
    EXPECT_EQ(form.playTimer.Interval(), 0);
    form.GoToPreviousTab();
    EXPECT_EQ(form.hscTAB.Value(), 1);
    form.GoToPreviousTab();
    EXPECT_EQ(form.hscTAB.Value(), 1);
}

TEST_F(PlayerTest, ATabsStoredTempoAndPatchTakeEffectWhilePlaying) {
    OpenTabs({{{"1:0", "1:1"}, {41, 100, 25}}, {{"2:0", "2:1"}, {100, 100, 30}}});
    form.StartPlayback();
    Ticks(1);
    ForgetMessages();
    Ticks(1);
    // The tick plays the first TAB's last column, then moving on sweeps the notes off and
    // changes the program.
    const auto& sent = host.midiOut.messages;
    ASSERT_EQ(sent.size(), 2u + 49u + 1u);
    for (int i = 2; i < 51; ++i) EXPECT_EQ(sent[i].message, 0x90u + 256u * (38 + i)) << i;
    EXPECT_EQ(sent[51].message, PackShortMessage(0xC0, 30, 0));
    EXPECT_EQ(form.hscTAB.Value(), 2);
    EXPECT_EQ(form.playTimer.Interval(), 300);
    EXPECT_EQ(form.lblTempo.caption, "101");
}

TEST_F(PlayerTest, StepForwardSoundsTheNextNoteColumnOfTheTabOrFromItsEndTheNextTabs) {
    form.StepForward();  // without a TAB nothing happens
    EXPECT_EQ(form.cursorColumn, 0);
    OpenTabs({{{"1:0", "-", "-", "1:4", "-"}}, {{"-", "-", "3:7", "-"}}, {{"-", "-"}}});
    form.StartPlayback();
    // Where each step ends, and what it sounds: without a later note in the TAB it moves one
    // column, and from the last column it searches the next TAB.
    const struct {
        int tab, column;
        std::vector<int> notes;
    } steps[] = {
        {1, 3, {NoteOf(1, 4)}}, {1, 4, {}}, {2, 2, {NoteOf(3, 7)}}, {2, 3, {}}, {3, 0, {}}};
    for (const auto& step : steps) {
        ForgetMessages();
        form.StepForward();
        EXPECT_EQ(form.playTimer.Interval(), 0);
        EXPECT_EQ(form.hscTAB.Value(), step.tab);
        EXPECT_EQ(form.cursorColumn, step.column);
        EXPECT_EQ(NotesOn(), step.notes);
        // Within the TAB the step selects the column it ends on.
        if (step.tab == 1) {
            EXPECT_EQ(form.selectionLength, 1);
        }
    }
}

TEST_F(PlayerTest, StepBackFindsTheNoteBeforeAndPlaysOnWhenPlaying) {
    OpenTabs({{{"-", "-", "1:2", "1:3"}}});
    form.SelectColumns(2, 0);
    ForgetMessages();
    form.StepBack();
    EXPECT_EQ(form.cursorColumn, 0);
    EXPECT_TRUE(NotesOn().empty());

    OpenTabs({{{"1:0", "-", "1:2", "1:3"}}});
    form.StartPlayback();
    Ticks(3);
    ForgetMessages();
    form.StepBack();
    EXPECT_EQ(form.playTimer.Interval(), 123);
    EXPECT_EQ(form.cursorColumn, 2);
    EXPECT_EQ(NotesOn(), std::vector<int>{NoteOf(1, 2)});
}

class TuneGuitarTest : public PlayerTest {
protected:
    // Runs one tuning tick and returns the notes it switched on.
    std::vector<int> TuneTick() {
        ForgetMessages();
        form.TuneTick();
        return NotesOn();
    }
};

TEST_F(TuneGuitarTest, SoundsTheOpenStringsTwoSecondsApartThenClearsTheFretboard) {
    form.Board().Press(3, 7, kLeftButton);
    form.TuneGuitar();
    EXPECT_EQ(form.tuneTimer.Interval(), 1);
    for (const int open : {40, 45, 50, 55, 59, 64}) {
        EXPECT_EQ(TuneTick(), std::vector<int>{open});
        EXPECT_EQ(form.tuneTimer.Interval(), 2000);
    }
    EXPECT_TRUE(TuneTick().empty());
    EXPECT_EQ(form.tuneTimer.Interval(), 0);
    EXPECT_EQ(form.tuneString, 0);
    for (int r = 1; r <= 6; ++r) {
        for (int i = 0; i < 25; ++i) EXPECT_FALSE(form.Board().Marks().At(r, i).marked);
    }
}

TEST_F(TuneGuitarTest, InterruptedAfterTheThirdStringItResumesWithTheFourth) {
    form.TuneGuitar();
    for (int s = 0; s < 3; ++s) TuneTick();
    form.StopPlayback();
    EXPECT_EQ(form.tuneTimer.Interval(), 0);
    form.TuneGuitar();
    for (const int open : {55, 59, 64}) EXPECT_EQ(TuneTick(), std::vector<int>{open});
    EXPECT_TRUE(TuneTick().empty());
    EXPECT_EQ(form.tuneTimer.Interval(), 0);
}

}  // namespace
}  // namespace fretlux::testing
