// SPDX-License-Identifier: MIT
// What the window's listening needs from the outside world: the input chosen in Settings ▸
// Input, a steady clock, the windows of the input and the tuner, and the best scores kept
// between runs. The program gives Qt-backed implementations; tests give scripted ones.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "playalong/play_along_column.h"

namespace fretlux {

class ListeningHost {
public:
    virtual ~ListeningHost() = default;

    // Starts hearing the chosen input for play-along in mode: each onset goes to heard, on the
    // clock of NowMs with the input latency taken off. Waiting for a column's notes, a listener
    // to audio also reports onsets where the sound grew no louder, as a note picked again through
    // an overdriven amplifier makes no other. Returns why nothing can be heard, or empty.
    virtual std::string StartListening(PlayAlongMode mode,
                                       std::function<void(const HeardOnset&)> heard) = 0;
    virtual void StopListening() = 0;
    // Whether the input hears what the speakers play: sound from a microphone while the student
    // wears no headphones. A MIDI port hears notes only, a file in the microphone's place only
    // what it holds.
    virtual bool HearsSpeakers() = 0;
    // The student should begin notes (MIDI note numbers) at atMs on the clock of NowMs, on a
    // guitar tuned offsetCents from concert pitch: where no onset comes near, a listener to audio
    // looks for them by their partials.
    virtual void ExpectNotes(std::int64_t atMs, const std::vector<int>& notes,
                             double offsetCents) = 0;
    // Milliseconds on a steady clock.
    virtual std::int64_t NowMs() = 0;
    // Every onset before this time, on the clock of NowMs with the input latency taken off, has
    // been heard whole: the sound takes the latency to reach the input, and the listener a
    // moment more to hear it out.
    virtual std::int64_t HeardUntilMs() = 0;

    // The Input settings window, modal; the Tuner window, beside the main window.
    virtual void ShowInputSettings() = 0;
    virtual void ShowTuner() = 0;

    // The best play-along scores, as BestScores writes them.
    virtual std::string BestScoresText() = 0;
    virtual void SaveBestScoresText(const std::string& text) = 0;
};

}  // namespace fretlux
