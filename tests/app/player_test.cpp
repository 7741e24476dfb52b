// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "player_fixture.h"

namespace fretlux::testing {
namespace {

using Notes = std::set<int>;
using Played = std::vector<Notes>;

TEST_F(PlayerTest, StartUpTempoIs160AndTicksEvery123MillisecondsAndChangesTakeEffectAtOnce) {
    EXPECT_EQ(form.Controls().lblTempo.caption, "160");
    form.Controls().hscTempo.SetValue(10);  // idle: the timer stays stopped
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
    EXPECT_EQ(form.Controls().lblTempo.caption, "191");
    form.Controls().hscTempo.SetValue(41);
    OpenTabs({{{"1:0", "1:1"}}});
    form.Run(Command::StartPlayback);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 123);
    form.Controls().hscTempo.SetValue(form.Controls().hscTempo.Min());
    EXPECT_EQ(form.Controls().lblTempo.caption, "200");
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 3);
}

TEST_F(PlayerTest, PlaysEveryColumnOnItsOwnTickLowStringFirstAcrossTabsThenHalts) {
    OpenTabs({{{"1:3 6:0", "-", "2:1"}}, {{"3:2"}}});
    form.Run(Command::StartPlayback);
    ForgetMessages();
    form.Playback().PlayTick();
    EXPECT_EQ(NotesOn(), (std::vector<int>{NoteOf(6, 0), NoteOf(1, 3)}));
    // The rest takes a tick of its own; the second TAB is one column long.
    EXPECT_EQ(Ticks(20), (Played{{}, {NoteOf(2, 1)}, {NoteOf(3, 2)}}));
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
    EXPECT_EQ(form.Controls().hscTAB.Value(), 2);
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
        form.Run(Command::StartPlayback);
        EXPECT_EQ(Ticks(7), expected);
    }
}

TEST_F(PlayerTest, AnEmptyTabCannotBeStartedAndStartEndsTheTuningAid) {
    OpenTabs({{{"1:3"}}});
    form.Run(Command::StartPlayback);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
    OpenTabs({{{"1:0", "1:1"}}});
    form.Run(Command::TuneGuitar);
    form.Playback().TuneTick();
    form.Run(Command::StartPlayback);
    EXPECT_EQ(form.Playback().TuneTimer().Interval(), 0);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 123);
    // Opening a file stops playback.
    OpenTabs({{{"2:0", "2:1"}}});
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
}

TEST_F(PlayerTest, StopPausesThenSilencesAndRewinds) {
    OpenTabs({{{"1:0", "1:1", "1:2", "1:3"}}});
    Select(0, 3);
    form.Run(Command::StartPlayback);
    Ticks(2);
    ForgetMessages();
    form.Run(Command::StopPlayback);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
    EXPECT_EQ(View(), "TAB 1/1 column 2+1 of 3");
    EXPECT_TRUE(host.midiOut.messages.empty());
    form.Run(Command::StopPlayback);
    EXPECT_EQ(NoteOffs(), 49);
    EXPECT_EQ(View(), "TAB 1/1 column 0+0 of 3");
}

TEST_F(PlayerTest, StartAtTheLastTabHaltsWithItsNotesSoundingUntilAStop) {
    OpenTabs({{{"1:0", "1:1"}}, {{"2:0", "2:3"}}});
    form.Run(Command::NextTab);
    form.Run(Command::StartPlayback);
    ASSERT_EQ(Ticks(10).size(), 2u);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
    EXPECT_EQ(form.Controls().hscTAB.Value(), 2);
    EXPECT_EQ(NoteOffs(), 1);  // only the row's previous note, before the last column's note
    ForgetMessages();
    form.SelectColumns(1, 0);
    form.Run(Command::StopPlayback);
    EXPECT_EQ(NoteOffs(), 49);
    EXPECT_EQ(form.Columns().CursorColumn(), 0);
}

TEST_F(PlayerTest, NextPlaysOnFromTheNextTabAndPreviousStopsAtTheFirst) {
    OpenTabs({{{"1:0", "1:1", "1:2"}}, {{"2:0", "2:1"}}});
    form.Run(Command::StartPlayback);
    Ticks(1);
    form.Run(Command::NextTab);
    EXPECT_EQ(View(), "TAB 2/2 column 0+0 of 1");
    EXPECT_EQ(Ticks(1)[0], Notes{NoteOf(2, 0)});
    form.Run(Command::NextTab);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
    form.Run(Command::PreviousTab);
    EXPECT_EQ(form.Controls().hscTAB.Value(), 1);
    form.Run(Command::PreviousTab);
    EXPECT_EQ(form.Controls().hscTAB.Value(), 1);
}

TEST_F(PlayerTest, ATabsStoredTempoAndPatchTakeEffectWhilePlaying) {
    OpenTabs({{{"1:0", "1:1"}, {41, 100, 25}}, {{"2:0", "2:1"}, {100, 100, 30}}});
    form.Run(Command::StartPlayback);
    Ticks(1);
    ForgetMessages();
    Ticks(1);
    // The tick plays the first TAB's last column, then moving on sweeps the notes off and
    // changes the program.
    const auto& sent = host.midiOut.messages;
    ASSERT_EQ(sent.size(), 2u + 49u + 1u);
    for (int i = 2; i < 51; ++i) EXPECT_EQ(sent[i].message, 0x90u + 256u * (38 + i)) << i;
    EXPECT_EQ(sent[51].message, PackShortMessage(0xC0, 30, 0));
    EXPECT_EQ(form.Controls().hscTAB.Value(), 2);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 300);
    EXPECT_EQ(form.Controls().lblTempo.caption, "101");
}

TEST_F(PlayerTest, StepForwardSoundsTheNextNoteColumnOfTheTabOrFromItsEndTheNextTabs) {
    form.Run(Command::StepForward);  // without a TAB nothing happens
    EXPECT_EQ(form.Columns().CursorColumn(), 0);
    OpenTabs({{{"1:0", "-", "-", "1:4", "-"}}, {{"-", "-", "3:7", "-"}}, {{"-", "-"}}});
    form.Run(Command::StartPlayback);
    // Where each step ends, and what it sounds: without a later note in the TAB it moves one
    // column, and from the last column it searches the next TAB.
    const struct {
        int tab, column;
        std::vector<int> notes;
    } steps[] = {
        {1, 3, {NoteOf(1, 4)}}, {1, 4, {}}, {2, 2, {NoteOf(3, 7)}}, {2, 3, {}}, {3, 0, {}}};
    for (const auto& step : steps) {
        ForgetMessages();
        form.Run(Command::StepForward);
        EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
        EXPECT_EQ(form.Controls().hscTAB.Value(), step.tab);
        EXPECT_EQ(form.Columns().CursorColumn(), step.column);
        EXPECT_EQ(NotesOn(), step.notes);
        // Within the TAB the step selects the column it ends on.
        if (step.tab == 1) {
            EXPECT_EQ(form.Columns().SelectionLength(), 1);
        }
    }
}

TEST_F(PlayerTest, StepBackFindsTheNoteBeforeAndPlaysOnWhenPlaying) {
    OpenTabs({{{"-", "-", "1:2", "1:3"}}});
    form.SelectColumns(2, 0);
    ForgetMessages();
    form.Run(Command::StepBack);
    EXPECT_EQ(form.Columns().CursorColumn(), 0);
    EXPECT_TRUE(NotesOn().empty());

    OpenTabs({{{"1:0", "-", "1:2", "1:3"}}});
    form.Run(Command::StartPlayback);
    Ticks(3);
    ForgetMessages();
    form.Run(Command::StepBack);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 123);
    EXPECT_EQ(form.Columns().CursorColumn(), 2);
    EXPECT_EQ(NotesOn(), std::vector<int>{NoteOf(1, 2)});
}

class TuneGuitarTest : public PlayerTest {
protected:
    // Runs one tuning tick and returns the notes it switched on.
    std::vector<int> TuneTick() {
        ForgetMessages();
        form.Playback().TuneTick();
        return NotesOn();
    }
};

TEST_F(TuneGuitarTest, SoundsTheOpenStringsTwoSecondsApartThenClearsTheFretboard) {
    form.Board().Press(3, 7, kLeftButton);
    form.Run(Command::TuneGuitar);
    EXPECT_EQ(form.Playback().TuneTimer().Interval(), 1);
    for (const int open : {40, 45, 50, 55, 59, 64}) {
        EXPECT_EQ(TuneTick(), std::vector<int>{open});
        EXPECT_EQ(form.Playback().TuneTimer().Interval(), 2000);
    }
    EXPECT_TRUE(TuneTick().empty());
    EXPECT_EQ(form.Playback().TuneTimer().Interval(), 0);
    for (int r = 1; r <= 6; ++r) {
        for (int i = 0; i < 25; ++i) EXPECT_FALSE(form.Board().Marks().At(r, i).marked);
    }
}

TEST_F(TuneGuitarTest, InterruptedAfterTheThirdStringItResumesWithTheFourth) {
    form.Run(Command::TuneGuitar);
    for (int s = 0; s < 3; ++s) TuneTick();
    form.Run(Command::StopPlayback);
    EXPECT_EQ(form.Playback().TuneTimer().Interval(), 0);
    form.Run(Command::TuneGuitar);
    for (const int open : {55, 59, 64}) EXPECT_EQ(TuneTick(), std::vector<int>{open});
    EXPECT_TRUE(TuneTick().empty());
    EXPECT_EQ(form.Playback().TuneTimer().Interval(), 0);
}

}  // namespace
}  // namespace fretlux::testing
