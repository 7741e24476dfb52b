// SPDX-License-Identifier: MIT
#include "playback/practice_session.h"

namespace fretlux {

void PracticeSession::ChangeSettings(const PracticeSettings& settings) {
    settings_ = settings;
    clicks_.SetVolume(settings.metronomeVolume);
}

void PracticeSession::Begin(bool looping, bool countIn, const BeatGrid& grid) {
    looping_ = looping;
    pass_ = 1;
    countIn_.reset();
    if (countIn && settings_.countInBars > 0) {
        countIn_.emplace(settings_.countInBars, grid.ColumnsPerBeat(), grid.BeatsPerBar());
    }
}

int PracticeSession::Percent() const {
    return Training() ? TrainerPercent(*settings_.trainer, pass_) : settings_.speedPercent;
}

bool PracticeSession::CountInTick() {
    clicks_.End();
    if (!countIn_ || countIn_->Done()) return false;
    clicks_.Sound(countIn_->NextTick());
    return true;
}

void PracticeSession::ClickForColumn(const BeatGrid& grid, int column) {
    if (settings_.metronome) clicks_.Sound(grid.ClickAt(column));
}

}  // namespace fretlux
