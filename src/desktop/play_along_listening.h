// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "input/input_choice.h"
#include "input/midi_chords.h"
#include "playalong/play_along_column.h"

class QTimer;

namespace fretlux {

class LiveListener;
class MidiNoteInput;

// What the student plays, for play-along: the listener's notes from the audio input, or the
// MIDI port's note-ons gathered into chords, each on the player's clock (milliseconds since
// epoch) with the input latency taken off.
class PlayAlongListening final : public QObject {
public:
    using Clock = std::chrono::steady_clock;

    // Waiting for a column's notes (mode Wait), the listener to audio also reports onsets where
    // the sound grew no louder.
    PlayAlongListening(const InputChoice& choice, Clock::time_point epoch, PlayAlongMode mode,
                       std::function<void(const HeardOnset&)> heard, QObject* parent);
    ~PlayAlongListening() override;

    // Why nothing is heard, or empty.
    const std::string& Error() const { return error_; }
    // Sound recorded in the room, with no headphones on.
    bool HearsSpeakers() const;
    // The student should begin notes at ms on the player's clock, on a guitar tuned offsetCents
    // from concert pitch; a MIDI port needs no help.
    void ExpectNotes(double ms, const std::vector<int>& notes, double offsetCents);
    // On the player's clock: every onset before it has been heard whole.
    double HeardUntilMs() const;

private:
    void ListenToMidi(const std::string& port);
    void TakeMidiChords();
    double PlayerMs(Clock::time_point when) const;

    Clock::time_point epoch_;
    int latencyMs_;
    bool headphones_;
    std::function<void(const HeardOnset&)> heard_;
    std::string error_;
    LiveListener* audio_ = nullptr;
    std::unique_ptr<MidiNoteInput> midi_;
    MidiChords chords_;
    QTimer* midiPoll_ = nullptr;
};

}  // namespace fretlux
