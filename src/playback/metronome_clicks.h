// SPDX-License-Identifier: MIT
// The clicks of the metronome and the count-in: wood blocks on General MIDI's percussion
// channel, whatever channel the notes play on, so a click never takes the guitar's sound.
#pragma once

#include "playback/beat_grid.h"
#include "playback/midi_state.h"

namespace fretlux {

inline constexpr int kPercussionChannel = 9;  // channel 10 as musicians count
inline constexpr int kNoteOffStatus = 0x80;
inline constexpr int kBarStartClickNote = 76;  // Hi Wood Block
inline constexpr int kBeatClickNote = 77;      // Low Wood Block
inline constexpr int kBarStartClickVelocity = 100;
inline constexpr int kBeatClickVelocity = 80;
// A click is ended this long after it sounded, or at the next tick if that comes sooner.
inline constexpr int kClickLengthMs = 30;
inline constexpr int kMinMetronomeVolume = 1;
inline constexpr int kMaxMetronomeVolume = 100;

// Sounds one click at a time and ends it.
class ClickSounder {
public:
    explicit ClickSounder(MidiState& midi) : midi_(midi) {}

    // Percent of the clicks' full velocities.
    void SetVolume(int percent);
    int Volume() const { return volume_; }
    // Ends a click still sounding, then sounds this one; true when a click sounds (not for
    // Click::None, nor with the sound switched off).
    bool Sound(Click click);
    // The note-off of the click that sounds, if one does.
    void End();
    bool Sounding() const { return sounding_ != 0; }

private:
    MidiState& midi_;
    int volume_ = kMaxMetronomeVolume;
    int sounding_ = 0;  // the note of the click that sounds; 0 for none
};

// The clicks before the music: bars of beats one grid beat apart, counted in the play timer's
// ticks so they keep to the same schedule as the columns that follow.
class CountIn {
public:
    CountIn(int bars, int columnsPerBeat, int beatsPerBar);

    bool Done() const { return tick_ >= ticks_; }
    // The click of the next tick of the count-in, which that tick uses up.
    Click NextTick();

private:
    int ticks_;
    int tick_ = 0;
    int columnsPerBeat_;
    int beatsPerBar_;
};

}  // namespace fretlux
