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

    std::vector<int> Data1Of(size_t first, size_t count) const {
        std::vector<int> notes;
        for (size_t i = first; i < first + count; ++i) notes.push_back(output.messages[i].Data1());
        return notes;
    }

    RecordingMidiOutput output;
    Tuning tuning;
    Orientation orientation;
    MidiState state{output, tuning, orientation};
};

TEST(ShortMessage, PacksStatusThenData1ThenData2FromTheLowByte) {
    EXPECT_EQ(PackShortMessage(0x90, 0x2D, 0x64), 0x00642D90u);
    EXPECT_EQ(PackShortMessage(0xC5, 26, 0), 0x00001AC5u);
    EXPECT_EQ(PackShortMessage(0x90, 88, 0), 0x00005890u);
}

TEST(SettingsLabels, ShowNumbersAfterOneBlank) {
    EXPECT_EQ(WithLeadingBlank(100), " 100");
    EXPECT_EQ(WithLeadingBlank(0 + 1), " 1");
    EXPECT_EQ(WithLeadingBlank(0), " 0");
}

TEST_F(MidiStateTest, FretFiveOnTheTopRowSendsNoteOffForNothingThenA45) {
    state.PlayNote(5, 1);
    ASSERT_EQ(output.messages.size(), 2u);
    EXPECT_EQ(output.messages[0].message, 0x00000090u);  // note 0, velocity 0
    EXPECT_EQ(output.messages[1].message, 0x00642D90u);
    EXPECT_EQ(output.messages[1].Status(), 0x90);
    EXPECT_EQ(output.messages[1].Data1(), 0x2D);
    EXPECT_EQ(output.messages[1].Data2(), 0x64);
    EXPECT_EQ(state.lastNoteOnString[1], 45);
    EXPECT_EQ(state.lblNote, ", A ");
}

TEST_F(MidiStateTest, ANewNoteOnARowFirstSilencesThatRowsPreviousNote) {
    state.PlayNote(5, 1);
    state.PlayNote(3, 2);  // another row: its own memory, still 0
    state.PlayNote(7, 1);
    ASSERT_EQ(output.messages.size(), 6u);
    EXPECT_EQ(output.messages[2].message, PackShortMessage(0x90, 0, 0));
    EXPECT_EQ(output.messages[3].message, PackShortMessage(0x90, 48, 100));
    EXPECT_EQ(output.messages[4].message, PackShortMessage(0x90, 45, 0));
    EXPECT_EQ(output.messages[5].message, PackShortMessage(0x90, 47, 100));
    EXPECT_EQ(state.lastNoteOnString[1], 47);
    EXPECT_EQ(state.lastNoteOnString[2], 48);
}

TEST_F(MidiStateTest, MirroredLeftToRightTheLastPositionOfTheTopRowIsTheOpenLowE) {
    orientation.leftRightFlipped = 1;
    state.PlayNote(24, 1);
    ASSERT_EQ(output.messages.size(), 2u);
    EXPECT_EQ(output.messages[1].Data1(), 40);
    EXPECT_EQ(state.lblNote, ", E ");
}

TEST_F(MidiStateTest, UpsideDownTheTopRowIsTheHighStringButKeepsTheRowsMemory) {
    orientation.upDownFlipped = 1;
    state.PlayNote(0, 1);
    EXPECT_EQ(output.messages.back().Data1(), 64);
    EXPECT_EQ(state.lastNoteOnString[1], 64);
    EXPECT_EQ(state.lastNoteOnString[6], 0);
    orientation.leftRightFlipped = 1;
    state.PlayNote(0, 6);  // low E string at fret 24
    EXPECT_EQ(output.messages.back().Data1(), 64);
    EXPECT_EQ(state.lastNoteOnString[6], 64);
}

TEST_F(MidiStateTest, NamesSpellTheNoteBetweenAAndBAsAFlat) {
    state.PlayNote(1, 2);
    EXPECT_EQ(output.messages.back().Data1(), 46);
    EXPECT_EQ(state.lblNote, ", Bb");
    state.PlayNote(24, 6);
    EXPECT_EQ(output.messages.back().Data1(), 88);
    EXPECT_EQ(state.lblNote, ", Bb, E ");
}

TEST_F(MidiStateTest, NotesSoundWithTheVolumeAsTheirVelocity) {
    state.ApplyVolume(0);
    state.PlayNote(0, 1);
    EXPECT_EQ(output.messages.back().message, PackShortMessage(0x90, 40, 0));
    state.ApplyVolume(127);
    state.PlayNote(2, 1);
    EXPECT_EQ(output.messages.back().message, PackShortMessage(0x90, 42, 127));
    EXPECT_EQ(state.gChannelVolume[0], 127);
}

TEST_F(MidiStateTest, WithSoundOffOnlyTheNoteHistoryChangesAndItKeepsItsLast25Characters) {
    state.soundOn = false;
    const std::string names[] = {"E ", "F ", "F#", "G ", "G#", "A ", "Bb", "B ", "C ", "C#"};
    std::string whole;
    for (int fret = 0; fret < 10; ++fret) {
        state.PlayNote(fret, 1);
        whole += ", " + names[fret];
        EXPECT_LE(state.lblNote.size(), 25u);
        EXPECT_EQ(state.lblNote, whole.size() <= 25 ? whole : whole.substr(whole.size() - 25));
    }
    EXPECT_TRUE(output.messages.empty());
    EXPECT_EQ(state.lblNote, " , G#, A , Bb, B , C , C#");
    EXPECT_EQ(state.lastNoteOnString[1], 0);
}

TEST_F(MidiStateTest, AfterTheHistoryIsEmptiedItBeginsWithTheSeparator) {
    state.PlayNote(0, 1);
    state.PlayNote(0, 2);
    state.lblNote.clear();
    state.PlayNote(2, 3);
    EXPECT_EQ(state.lblNote, ", E ");
}

TEST_F(MidiStateTest, PositionsOutsideTheFretboardSoundNothing) {
    state.PlayNote(25, 1);
    state.PlayNote(-1, 1);
    state.PlayNote(0, 0);
    state.PlayNote(0, 7);
    EXPECT_TRUE(output.messages.empty());
    EXPECT_EQ(state.lblNote, "");
}

TEST_F(MidiStateTest, SilenceAllNotesSendsFortyNineNoteOffsEvenWithSoundOff) {
    state.PlayNote(5, 1);
    output.messages.clear();
    state.soundOn = false;
    state.SilenceAllNotes();
    ASSERT_EQ(output.messages.size(), 49u);
    for (int i = 0; i < 49; ++i) {
        EXPECT_EQ(output.messages[i].message, PackShortMessage(0x90, 40 + i, 0)) << i;
    }
    EXPECT_EQ(state.lastNoteOnString[1], 45);
}

TEST_F(MidiStateTest, MovingThePatchFrom25To26SilencesEveryNoteThenChangesProgram) {
    state.ApplyPatch(25);
    output.messages.clear();
    state.ApplyPatch(26);
    ASSERT_EQ(output.messages.size(), 50u);
    std::vector<int> expected;
    for (int note = 40; note <= 88; ++note) expected.push_back(note);
    EXPECT_EQ(Data1Of(0, 49), expected);
    for (int i = 0; i < 49; ++i) {
        EXPECT_EQ(output.messages[i].Status(), 0x90);
        EXPECT_EQ(output.messages[i].Data2(), 0);
    }
    EXPECT_EQ(output.messages[49].Status(), 0xC0);
    EXPECT_EQ(output.messages[49].Data1(), 26);
    EXPECT_EQ(output.messages[49].message, 0x00001AC0u);
    EXPECT_EQ(state.gChannelPatch[0], 26);
    EXPECT_EQ(state.CurrentPatch(), 26);
}

TEST_F(MidiStateTest, AChannelNeverUsedGivesPatchAndVolumeZero) {
    state.ApplyPatch(25);
    const ChannelSettings unused = state.SelectChannel(3);
    EXPECT_EQ(unused.patch, 0);
    EXPECT_EQ(unused.volume, 0);
    EXPECT_EQ(state.gMidiChannel, 3);
}

TEST_F(MidiStateTest, EachChannelKeepsItsOwnPatchAndVolume) {
    state.ApplyPatch(25);
    state.SelectChannel(9);
    state.ApplyPatch(0);
    state.ApplyVolume(64);
    const ChannelSettings first = state.SelectChannel(0);
    EXPECT_EQ(first.patch, 25);
    EXPECT_EQ(first.volume, 100);
    const ChannelSettings drums = state.SelectChannel(9);
    EXPECT_EQ(drums.patch, 0);
    EXPECT_EQ(drums.volume, 64);
    EXPECT_EQ(state.gChannelPatch[0], 25);
    EXPECT_EQ(state.gChannelVolume[9], 64);
}

TEST_F(MidiStateTest, MessagesGoToTheChannelInUse) {
    state.SelectChannel(15);
    state.ApplyVolume(90);
    output.messages.clear();
    state.PlayNote(0, 1);
    state.ApplyPatch(40);
    ASSERT_EQ(output.messages.size(), 2u + 50u);
    EXPECT_EQ(output.messages[0].Status(), 0x9F);
    EXPECT_EQ(output.messages[1].message, PackShortMessage(0x9F, 40, 90));
    EXPECT_EQ(output.messages[2].Status(), 0x9F);
    EXPECT_EQ(output.messages.back().message, PackShortMessage(0xCF, 40, 0));
    EXPECT_EQ(state.gChannelPatch[15], 40);
    EXPECT_EQ(state.gChannelPatch[0], 0);
}

TEST_F(MidiStateTest, AChannelOutsideTheSixteenIsBroughtToTheNearest) {
    state.SelectChannel(16);
    EXPECT_EQ(state.gMidiChannel, 15);
    state.SelectChannel(-1);
    EXPECT_EQ(state.gMidiChannel, 0);
}

TEST_F(MidiStateTest, ChangingTheVolumeSendsNothing) {
    state.ApplyVolume(30);
    EXPECT_TRUE(output.messages.empty());
    EXPECT_EQ(state.gVolume, 30);
    EXPECT_EQ(state.gChannelVolume[0], 30);
}

}  // namespace
}  // namespace fretlux::testing
