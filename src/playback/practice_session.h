// SPDX-License-Identifier: MIT
// What practice adds to one run of playback, from Start on: the count-in before the first
// column, the metronome's click on every beat, the speed the columns play at, and the speed
// trainer's passes over a looped selection. The player asks it at every tick of its timer.
#pragma once

#include <optional>

#include "playback/beat_grid.h"
#include "playback/metronome_clicks.h"
#include "playback/practice_settings.h"

namespace fretlux {

class PracticeSession {
public:
    explicit PracticeSession(MidiState& midi) : clicks_(midi) {}

    const PracticeSettings& Settings() const { return settings_; }
    // Takes effect at once, also during playback; a running count-in goes on as it began.
    void ChangeSettings(const PracticeSettings& settings);

    // Start: looping when a selection is to be played over and over, grid the beats of the TAB
    // that starts. A lesson starts without a count-in.
    void Begin(bool looping, bool countIn, const BeatGrid& grid);
    // The looped selection went round: its next pass begins.
    void NextPass() { ++pass_; }
    // The speed the columns play at now, in percent of the TAB's own tempo.
    int Percent() const;
    // The pass of the loop the trainer speeds up, from 1; 0 while it does not.
    int TrainedPass() const { return Training() ? pass_ : 0; }
    // Passes over the looped selection since Start, from 1; 0 when nothing loops.
    int Pass() const { return looping_ ? pass_ : 0; }

    // A tick of the play timer, before anything else it does: the click still sounding ends.
    // During the count-in the tick sounds the count-in's click and true says that it is spent.
    bool CountInTick();
    // The metronome's click for the tick that plays the column, when the metronome is on.
    void ClickForColumn(const BeatGrid& grid, int column);
    // A click that sounds is ended kClickLengthMs after it began, unless a tick ends it first.
    bool ClickSounding() const { return clicks_.Sounding(); }
    void EndClick() { clicks_.End(); }

private:
    bool Training() const { return looping_ && settings_.trainer.has_value(); }

    PracticeSettings settings_;
    ClickSounder clicks_;
    std::optional<CountIn> countIn_;
    bool looping_ = false;
    int pass_ = 0;
};

}  // namespace fretlux
