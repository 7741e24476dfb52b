// SPDX-License-Identifier: MIT
#include "app/play_along.h"

#include <gtest/gtest.h>

#include "player_fixture.h"
#include "scripted_host.h"

namespace fretlux {
namespace {

// A column with the open A string (line 5) and the 3rd fret of the high E string (line 1).
TabColumn ColumnAG() { return {"", "3DH  ", "-    ", "-    ", "-    ", "0AH  ", "-    "}; }

TEST(PlayAlong, WithoutAnInputItSaysWhyAndDoesNotBegin) {
    testing::ScriptedHost host;
    testing::ScriptedListening listening;
    listening.listenError = "No audio input: no audio input device.";
    PlayAlong playAlong(host, listening);
    EXPECT_FALSE(playAlong.Begin(PlayAlongMode::Wait, "riff.flx"));
    EXPECT_FALSE(playAlong.Active());
    EXPECT_EQ(host.Asked(), std::vector<std::string>{
                                "No audio input: no audio input device. [Ok Exclamation Ok]"});
    EXPECT_TRUE(playAlong.MayPass(1, 3, ColumnAG()));
}

TEST(PlayAlong, ScoreMarksColumnsAsTheyPassAndEndsWithTheSummaryKeepingTheBest) {
    testing::ScriptedHost host;
    testing::ScriptedListening listening;
    listening.nowMs = 5000;
    PlayAlong playAlong(host, listening);
    ASSERT_TRUE(playAlong.Begin(PlayAlongMode::Score, "riff.flx"));
    playAlong.Sounded(2, 3, ColumnAG());
    listening.Hear(5000 + 20, {45, 67});
    listening.nowMs = 5400;
    playAlong.Sounded(2, 7, ColumnAG());
    // Each column's notes are expected where the input should hear them, on the listening's clock.
    ASSERT_EQ(listening.expected.size(), 2u);
    EXPECT_EQ(listening.expected[0].atMs, 5000);
    EXPECT_EQ(listening.expected[1].atMs, 5400);
    EXPECT_EQ(listening.expected[1].notes, (std::vector<int>{45, 67}));
    listening.nowMs = 5500;
    playAlong.Advance();
    ASSERT_EQ(playAlong.MarksOf(2).size(), 1u);
    EXPECT_EQ(playAlong.MarksOf(2)[0].verdict, Verdict::Right);
    EXPECT_EQ(playAlong.MarksOf(2)[0].offsetMs, 20);
    EXPECT_TRUE(playAlong.MarksOf(1).empty());

    playAlong.End();
    EXPECT_EQ(host.Asked(), std::vector<std::string>{
                                "1 of 2 columns right, 0 wrong, 1 missed. Timing: 20 ms late on "
                                "average, spread 0 ms.\nA new best for TAB 2. [Ok None Ok]"});
    EXPECT_EQ(playAlong.MarksOf(2).size(), 2u);
    EXPECT_EQ(BestScores::FromText(listening.bestScores).Best("riff.flx", 2)->right, 1);
}

using testing::NoteOf;
using testing::PlayerTest;
using Played = std::vector<std::set<int>>;

TEST_F(PlayerTest, PlayAlongWaitHoldsAtEachColumnWithNotesUntilTheStudentHasPlayedIt) {
    OpenTabs({{{"1:3", "-", "5:2 1:0"}}});
    form.Run(Command::PlayAlongWait);
    ASSERT_TRUE(host.listening.listening);
    const PlayAlong& playAlong = form.Playback().PlayingAlong();
    // Playback holds at the first column, showing its note and sounding nothing.
    EXPECT_EQ(Ticks(3), (Played{{}, {}, {}}));
    EXPECT_EQ(View(), "TAB 1/1 column 0+0 of 2");
    EXPECT_EQ(playAlong.ExpectedNotes(), (std::vector<FretPosition>{{6, 3}}));
    host.listening.Hear(host.listening.nowMs, {NoteOf(1, 4)});
    EXPECT_EQ(playAlong.WrongNotes(), (std::vector<FretPosition>{{6, 4}}));
    host.listening.Hear(host.listening.nowMs, {NoteOf(1, 3)});
    EXPECT_TRUE(playAlong.ColumnRight());
    // Green for a moment, then on past the rest to the chord, which holds in turn.
    host.listening.nowMs += PlayAlongSession::kGreenMs;
    EXPECT_EQ(Ticks(4), (Played{{}, {}, {}, {}}));
    EXPECT_EQ(View(), "TAB 1/1 column 2+0 of 2");
    EXPECT_EQ(playAlong.ExpectedNotes(), (std::vector<FretPosition>{{6, 0}, {2, 2}}));
    host.listening.Hear(host.listening.nowMs, {NoteOf(5, 2), NoteOf(1, 0)});
    host.listening.nowMs += PlayAlongSession::kGreenMs;
    // Played to the end: playback halts and the listening ends.
    Ticks(2);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
    EXPECT_FALSE(host.listening.listening);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PlayerTest, PlayAlongScoreLeavesTheSoundToAMicrophonesStudentAndHearsTheLastNotesOut) {
    OpenTabs({{{"1:3", "5:2 1:0"}}});
    Player& player = form.Playback();
    PracticeSettings metronome = player.Practice();
    metronome.metronome = true;
    player.ChangePractice(metronome);
    for (const bool microphone : {true, false}) {
        SCOPED_TRACE(microphone ? "microphone" : "MIDI guitar");
        host.listening.hearsSpeakers = microphone;
        host.listening.expected.clear();
        host.messages.clear();
        form.Run(Command::PlayAlongScore);
        ASSERT_TRUE(host.listening.listening);
        // The student plays each column 10 ms late, and each onset is heard as soon as it is.
        std::set<int> sounded;
        int clicks = 0;
        std::int64_t lastColumnMs = 0;
        while (player.PlayTimer().Interval() > 0) {
            host.listening.nowMs += player.PlayTimer().Interval();
            ForgetMessages();
            const std::size_t columnsBefore = host.listening.expected.size();
            player.PlayTick();
            for (const int note : NotesOn()) sounded.insert(note);
            for (const auto& m : host.midiOut.messages)
                clicks += m.Status() == 0x99 && m.Data2() > 0;
            if (host.listening.expected.size() == columnsBefore) continue;
            lastColumnMs = host.listening.nowMs;
            host.listening.nowMs += 10;
            host.listening.Hear(host.listening.nowMs, host.listening.expected.back().notes);
        }
        // A microphone would take the speakers' notes and clicks for the student's.
        const std::set<int> fromSpeakers =
            microphone ? std::set<int>{} : std::set<int>{NoteOf(1, 3), NoteOf(5, 2), NoteOf(1, 0)};
        EXPECT_EQ(sounded, fromSpeakers);
        EXPECT_EQ(clicks > 0, !microphone);
        // Playback has halted past the chord, which the input has not yet heard out.
        EXPECT_TRUE(host.listening.listening);
        EXPECT_TRUE(host.messages.empty());
        const int hearing = player.HearingTimer().Interval();
        EXPECT_GE(host.listening.nowMs + hearing - host.listening.hearingMs,
                  lastColumnMs + ScoredPlayAlong::kSettleMs);
        host.listening.nowMs += hearing;
        player.HearingTick();
        EXPECT_FALSE(host.listening.listening);
        EXPECT_EQ(player.HearingTimer().Interval(), 0);
        ASSERT_EQ(host.Asked().size(), 1u);
        EXPECT_EQ(host.Asked()[0].substr(0, 40), "2 of 2 columns right, 0 wrong, 0 missed.");
        // The cursor stays past the end, from where playing along again starts over.
    }
}

}  // namespace
}  // namespace fretlux
