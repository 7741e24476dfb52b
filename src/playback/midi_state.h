// SPDX-License-Identifier: MIT
// The program's MIDI values and the one place that sounds a note. Everything goes to the output
// as short messages: note on, note on with velocity 0 for a note off, and program change.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "fretboard/orientation.h"
#include "fretboard/tuning.h"
#include "playback/midi_output.h"

namespace fretlux {

inline constexpr int kNoteOnStatus = 0x90;
inline constexpr int kProgramChangeStatus = 0xC0;
inline constexpr int kMidiChannels = 16;
// lblNote shows this many of the latest characters of the note history.
inline constexpr int kNoteHistoryLength = 25;

// status + 256 x data1 + 65536 x data2: byte 0 is the status, byte 1 data1, byte 2 data2.
std::uint32_t PackShortMessage(int status, int data1, int data2);

// A number as the settings labels show it: decimal, after one blank (" 100").
std::string WithLeadingBlank(int value);

// The patch and volume a channel had when it was last in use; 0 for a channel never used.
struct ChannelSettings {
    int patch = 0;
    int volume = 0;
};

class MidiState {
public:
    // The state reads the tuning and the orientation each time a note is played, so that a
    // rotation of the fretboard takes effect at once.
    MidiState(MidiOutput& output, const Tuning& tuning, const Orientation& orientation);
    MidiState(const MidiState&) = delete;
    MidiState& operator=(const MidiState&) = delete;

    void SendMidiMessage(int status, int data1, int data2);

    // Sounds the note shown at position fretIndex (0..24) of fretboard row (1..6), first
    // silencing the note that row played before, and adds its name to lblNote; with sound off
    // only lblNote changes. Positions outside the fretboard have no note and do nothing.
    void PlayNote(int fretIndex, int row);

    // Note off for every note the fretboard can sound (40..88) on the current channel, whether
    // sound is on or not.
    void SilenceAllNotes();

    // What a move of the patch bar does besides its labels: silence, remember the patch for
    // the current channel, then send the program change.
    void ApplyPatch(int patch);
    // What a move of the volume bar does besides its label: the velocity of the notes that
    // follow, remembered for the current channel. Nothing is sent.
    void ApplyVolume(int volume);
    // Makes channel (0..15) the one in use and returns what the patch and volume bars must be
    // set to; the bars' own change handling then applies them.
    ChannelSettings SelectChannel(int channel);

    // The patch of the channel in use, which ShowPatchName shows.
    int CurrentPatch() const { return gChannelPatch[gMidiChannel]; }

    int gMidiChannel = 0;
    int gVolume = 0;
    std::array<int, kMidiChannels + 1> gChannelPatch{};
    std::array<int, kMidiChannels + 1> gChannelVolume{};
    // The note last switched on by each fretboard row 1..6, indexed by the row as shown.
    std::array<int, kStrings + 1> lastNoteOnString{};
    // The check mark of Settings > Sound.
    bool soundOn = true;
    // The note history under the fretboard.
    std::string lblNote;

private:
    MidiOutput& output_;
    const Tuning& tuning_;
    const Orientation& orientation_;
};

// While it lives, the fretboard's notes are shown without a sound, whatever Settings > Sound says.
class SilentMidi {
public:
    explicit SilentMidi(MidiState& midi) : midi_(midi), soundWasOn_(midi.soundOn) {
        midi_.soundOn = false;
    }
    ~SilentMidi() { midi_.soundOn = soundWasOn_; }
    SilentMidi(const SilentMidi&) = delete;
    SilentMidi& operator=(const SilentMidi&) = delete;

private:
    MidiState& midi_;
    bool soundWasOn_;
};

}  // namespace fretlux
