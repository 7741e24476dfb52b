// SPDX-License-Identifier: MIT
#include "playback/midi_state.h"

#include <algorithm>

#include "document/strings.h"

namespace fretlux {

namespace {

// Highest note the fretboard reaches: the high E string at its last fret.
constexpr int kHighestNote = 88;

}  // namespace

std::uint32_t PackShortMessage(int status, int data1, int data2) {
    return static_cast<std::uint32_t>(status + 256 * data1 + 65536 * data2);
}

std::string WithLeadingBlank(int value) { return " " + std::to_string(value); }

MidiState::MidiState(MidiOutput& output, const Tuning& tuning, const Orientation& orientation)
    : output_(output), tuning_(tuning), orientation_(orientation) {}

void MidiState::SendMidiMessage(int status, int data1, int data2) {
    output_.SendShortMessage(PackShortMessage(status, data1, data2));
}

void MidiState::PlayNote(int fretIndex, int row) {
    if (fretIndex < 0 || fretIndex >= kPositions || row < 1 || row > kStrings) return;
    const int fret = orientation_.FretOfPosition(fretIndex);
    const int string = orientation_.StringOfRow(row);
    const int note = tuning_.Pitch(string, fret);
    if (soundOn) {
        SendMidiMessage(kNoteOnStatus + gMidiChannel, lastNoteOnString[row], 0);
        lastNoteOnString[row] = note;
        SendMidiMessage(kNoteOnStatus + gMidiChannel, note, gVolume);
    }
    lblNote = Right(lblNote + ", " + tuning_.NameOf(note), kNoteHistoryLength);
}

void MidiState::SilenceAllNotes() {
    for (int note = kLowestNote; note <= kHighestNote; ++note) {
        SendMidiMessage(kNoteOnStatus + gMidiChannel, note, 0);
    }
}

void MidiState::ApplyPatch(int patch) {
    SilenceAllNotes();
    gChannelPatch[gMidiChannel] = patch;
    SendMidiMessage(kProgramChangeStatus + gMidiChannel, gChannelPatch[gMidiChannel], 0);
}

void MidiState::ApplyVolume(int volume) {
    gVolume = volume;
    gChannelVolume[gMidiChannel] = volume;
}

ChannelSettings MidiState::SelectChannel(int channel) {
    gMidiChannel = std::clamp(channel, 0, kMidiChannels - 1);
    return {gChannelPatch[gMidiChannel], gChannelVolume[gMidiChannel]};
}

}  // namespace fretlux
