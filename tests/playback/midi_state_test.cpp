// SPDX-License-Identifier: MIT
#include "playback/midi_state.h"

#include <gtest/gtest.h>

#include <vector>

#include "recording_midi_output.h"

namespace fretlux::testing {
namespace {

class MidiStateTest : public ::testing::Test {
protected:
    MidiStateTest() { state.ApplyVolume(100); }

    std::vector<std::uint32_t> Sent() const {
        std::vector<std::uint32_t> sent;
        for (const RecordedMessage& m : output.messages) sent.push_back(m.message);
        return sent;
    }

    // Note off for every note of the fretboard on the channel, lowest first.
    static std::vector<std::uint32_t> Sweep(int channel = 0) {
        std::vector<std::uint32_t> offs;
        for (int note = 40; note <= 88; ++note) offs.push_back(On(channel, note, 0));
        return offs;
    }

    static std::uint32_t On(int channel, int note, int velocity) {
        return PackShortMessage(0x90 + channel, note, velocity);
    }

    RecordingMidiOutput output;
    Tuning tuning;
    Orientation orientation;
    MidiState state{output, tuning, orientation};
};

TEST_F(MidiStateTest, ANoteFirstSilencesItsRowsPreviousNoteThenSoundsAtTheVolume) {
    EXPECT_EQ(PackShortMessage(0x90, 0x2D, 0x64), 0x00642D90u);
    EXPECT_EQ(PackShortMessage(0xC5, 26, 0), 0x00001AC5u);
    state.PlayNote(5, 1);
    state.PlayNote(3, 2);  // another row: its own memory, still 0
    state.PlayNote(7, 1);
    state.ApplyVolume(0);
    state.PlayNote(1, 2);
    state.ApplyVolume(127);
    state.PlayNote(24, 6);
    EXPECT_EQ(Sent(),
              (std::vector<std::uint32_t>{0x00000090u, 0x00642D90u, On(0, 0, 0), On(0, 48, 100),
                                          On(0, 45, 0), On(0, 47, 100), On(0, 48, 0), On(0, 46, 0),
                                          On(0, 0, 0), On(0, 88, 127)}));
    EXPECT_EQ(state.lastNoteOnString[1], 47);
    EXPECT_EQ(state.lastNoteOnString[2], 46);
    EXPECT_EQ(state.lblNote, ", A , C , B , Bb, E ");
}

TEST_F(MidiStateTest, TheOrientationDecidesTheNoteButEachRowKeepsItsOwnMemory) {
    orientation.leftRightFlipped = 1;
    state.PlayNote(24, 1);  // the open low E
    EXPECT_EQ(output.messages.back().Data1(), 40);
    orientation.upDownFlipped = 1;
    state.PlayNote(24, 1);  // the open high E
    EXPECT_EQ(output.messages.back().Data1(), 64);
    EXPECT_EQ(state.lastNoteOnString[1], 64);
    EXPECT_EQ(state.lastNoteOnString[6], 0);
    state.PlayNote(0, 6);  // low E string at fret 24
    EXPECT_EQ(output.messages.back().Data1(), 64);
    EXPECT_EQ(state.lastNoteOnString[6], 64);
}

TEST_F(MidiStateTest, WithSoundOffOnlyTheNoteHistoryChangesAndItKeepsItsLast25Characters) {
    state.soundOn = false;
    const std::string names[] = {"E ", "F ", "F#", "G ", "G#", "A ", "Bb", "B ", "C ", "C#"};
    std::string whole;
    for (int fret = 0; fret < 10; ++fret) {
        state.PlayNote(fret, 1);
        whole += ", " + names[fret];
        EXPECT_EQ(state.lblNote, whole.size() <= 25 ? whole : whole.substr(whole.size() - 25));
    }
    EXPECT_TRUE(output.messages.empty());
    EXPECT_EQ(state.lblNote, " , G#, A , Bb, B , C , C#");
    EXPECT_EQ(state.lastNoteOnString[1], 0);
    // Emptied, it begins again with the separator.
    state.lblNote.clear();
    state.PlayNote(2, 3);
    EXPECT_EQ(state.lblNote, ", E ");
}

TEST_F(MidiStateTest, SilenceAllNotesSweepsTheFretboardsNotesEvenWithSoundOff) {
    state.PlayNote(5, 1);
    output.messages.clear();
    state.soundOn = false;
    state.SilenceAllNotes();
    EXPECT_EQ(Sent(), Sweep());
    EXPECT_EQ(state.lastNoteOnString[1], 45);
}

TEST_F(MidiStateTest, APatchChangeSilencesEveryNoteThenChangesProgramWithoutSendingVolume) {
    state.ApplyPatch(26);
    std::vector<std::uint32_t> expected = Sweep();
    expected.push_back(0x00001AC0u);
    EXPECT_EQ(Sent(), expected);
    EXPECT_EQ(state.CurrentPatch(), 26);
    output.messages.clear();
    state.ApplyVolume(30);
    EXPECT_TRUE(output.messages.empty());
    EXPECT_EQ(state.gVolume, 30);
}

TEST_F(MidiStateTest, EachChannelKeepsItsOwnPatchAndVolumeAndGetsItsOwnMessages) {
    state.ApplyPatch(25);
    const ChannelSettings unused = state.SelectChannel(15);
    EXPECT_EQ(unused.patch, 0);
    EXPECT_EQ(unused.volume, 0);
    state.ApplyVolume(90);
    output.messages.clear();
    state.PlayNote(0, 1);
    state.ApplyPatch(40);
    std::vector<std::uint32_t> expected = {On(15, 0, 0), On(15, 40, 90)};
    for (std::uint32_t off : Sweep(15)) expected.push_back(off);
    expected.push_back(PackShortMessage(0xCF, 40, 0));
    EXPECT_EQ(Sent(), expected);

    const ChannelSettings first = state.SelectChannel(0);
    EXPECT_EQ(first.patch, 25);
    EXPECT_EQ(first.volume, 100);
    const ChannelSettings last = state.SelectChannel(15);
    EXPECT_EQ(last.patch, 40);
    EXPECT_EQ(last.volume, 90);
}

}  // namespace
}  // namespace fretlux::testing
