// SPDX-License-Identifier: MIT
#include "playback/practice_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recording_midi_output.h"

namespace fretlux {
namespace {

class PracticeSessionTest : public ::testing::Test {
protected:
    // The notes of the clicks begun since the last call: 'A' opens a bar, 'b' another beat.
    std::string ClicksSounded() {
        std::string clicks;
        for (; seen_ < output.messages.size(); ++seen_) {
            const auto& m = output.messages[seen_];
            if (m.Status() == kNoteOnStatus + kPercussionChannel) {
                clicks += m.Data1() == kBarStartClickNote ? 'A' : 'b';
            }
        }
        return clicks;
    }

    testing::RecordingMidiOutput output;
    Tuning tuning;
    Orientation orientation;
    MidiState midi{output, tuning, orientation};
    PracticeSession session{midi};
    // |--------|: a bar of eight columns, two columns a beat.
    BeatGrid grid{{true, false, false, false, false, false, false, false, false, true}, {}};

private:
    std::size_t seen_ = 0;
};

TEST_F(PracticeSessionTest, TheCountInSpendsItsTicksThenTheMetronomeFollowsTheColumns) {
    PracticeSettings settings;
    settings.countInBars = 1;
    settings.metronome = true;
    session.ChangeSettings(settings);
    session.Begin(false, true, grid);
    std::string ticks;
    // '*' marks a click still sounding after the tick, to be ended kClickLengthMs later.
    const auto tickDone = [&] {
        ticks += ClicksSounded() + (session.ClickSounding() ? "*," : ",");
    };
    while (session.CountInTick()) tickDone();
    EXPECT_EQ(ticks, "A*,,b*,,b*,,b*,,");
    for (int column = 0; column <= 9; ++column) {
        EXPECT_FALSE(session.CountInTick());
        session.ClickForColumn(grid, column);
        tickDone();
    }
    EXPECT_EQ(ticks, "A*,,b*,,b*,,b*,,,A*,,b*,,b*,,b*,,,");
    // Every click was ended by the next tick.
    const auto offs = std::count_if(output.messages.begin(), output.messages.end(), [](auto& m) {
        return m.Status() == kNoteOffStatus + kPercussionChannel;
    });
    EXPECT_EQ(offs, 8);
    // A lesson starts at once.
    session.Begin(false, false, grid);
    EXPECT_FALSE(session.CountInTick());
}

TEST_F(PracticeSessionTest, TheTrainerSpeedsUpOnlyALoopedSelection) {
    PracticeSettings settings;
    settings.speedPercent = 75;
    settings.trainer = SpeedTrainerSettings{60, 10, 2, 80};
    session.ChangeSettings(settings);
    session.Begin(false, true, grid);
    EXPECT_EQ(session.Percent(), 75);
    EXPECT_EQ(session.TrainedPass(), 0);
    session.Begin(true, true, grid);
    std::vector<int> percents;
    for (int pass = 1; pass <= 6; ++pass, session.NextPass()) {
        EXPECT_EQ(session.TrainedPass(), pass);
        percents.push_back(session.Percent());
    }
    EXPECT_EQ(percents, (std::vector<int>{60, 60, 70, 70, 80, 80}));
    settings.trainer.reset();
    session.ChangeSettings(settings);
    EXPECT_EQ(session.Percent(), 75);
    EXPECT_EQ(session.Pass(), 7);
}

}  // namespace
}  // namespace fretlux
