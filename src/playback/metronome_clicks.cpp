// SPDX-License-Identifier: MIT
#include "playback/metronome_clicks.h"

#include <algorithm>

#include "document/rounding.h"

namespace fretlux {

void ClickSounder::SetVolume(int percent) {
    volume_ = std::clamp(percent, kMinMetronomeVolume, kMaxMetronomeVolume);
}

bool ClickSounder::Sound(Click click) {
    End();
    if (click == Click::None || !midi_.soundOn) return false;
    const bool barStart = click == Click::BarStart;
    const int fullVelocity = barStart ? kBarStartClickVelocity : kBeatClickVelocity;
    // Velocity 0 would be a note-off.
    const int velocity = std::max(1, RoundHalfEven(fullVelocity * volume_ / 100.0));
    sounding_ = barStart ? kBarStartClickNote : kBeatClickNote;
    midi_.SendMidiMessage(kNoteOnStatus + kPercussionChannel, sounding_, velocity);
    return true;
}

void ClickSounder::End() {
    if (sounding_ == 0) return;
    midi_.SendMidiMessage(kNoteOffStatus + kPercussionChannel, sounding_, 0);
    sounding_ = 0;
}

CountIn::CountIn(int bars, int columnsPerBeat, int beatsPerBar)
    : ticks_(std::max(0, bars) * beatsPerBar * columnsPerBeat),
      columnsPerBeat_(columnsPerBeat),
      beatsPerBar_(beatsPerBar) {}

Click CountIn::NextTick() {
    if (Done()) return Click::None;
    return ClickAtPosition(tick_++, columnsPerBeat_, beatsPerBar_);
}

}  // namespace fretlux
