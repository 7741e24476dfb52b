// SPDX-License-Identifier: MIT
#include "playback/metronome_clicks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_midi_output.h"

namespace fretlux {
namespace {

class ClickSounderTest : public ::testing::Test {
protected:
    // "status data1 data2" of every message sent.
    std::vector<std::string> Sent() const {
        std::vector<std::string> sent;
        for (const auto& m : output.messages) {
            sent.push_back(std::to_string(m.Status()) + ' ' + std::to_string(m.Data1()) + ' ' +
                           std::to_string(m.Data2()));
        }
        return sent;
    }

    testing::RecordingMidiOutput output;
    Tuning tuning;
    Orientation orientation;
    MidiState midi{output, tuning, orientation};
    ClickSounder clicks{midi};
};

TEST_F(ClickSounderTest, WoodBlocksOnChannelTenEachEndedOnce) {
    midi.SelectChannel(3);
    EXPECT_TRUE(clicks.Sound(Click::BarStart));
    EXPECT_TRUE(clicks.Sound(Click::Beat));
    clicks.End();
    clicks.End();
    EXPECT_FALSE(clicks.Sound(Click::None));
    EXPECT_EQ(Sent(),
              (std::vector<std::string>{"153 76 100", "137 76 0", "153 77 80", "137 77 0"}));
}

TEST_F(ClickSounderTest, TheVolumeScalesTheVelocitiesAndSoundOffSilencesThem) {
    clicks.SetVolume(50);
    clicks.Sound(Click::BarStart);
    clicks.SetVolume(0);
    clicks.Sound(Click::Beat);
    midi.soundOn = false;
    EXPECT_FALSE(clicks.Sound(Click::BarStart));
    EXPECT_EQ(Sent(), (std::vector<std::string>{"153 76 50", "137 76 0", "153 77 1", "137 77 0"}));
}

}  // namespace
}  // namespace fretlux
