// SPDX-License-Identifier: MIT
#include "playalong/waiting_play_along.h"

#include <algorithm>

namespace fretlux {

void WaitingPlayAlong::Expect(PlayAlongColumn column) {
    column_ = std::move(column);
    expectedNotes_ = column_.Notes();
    begunEarlier_.clear();
    latest_.reset();
    latestBegun_.clear();
    wrong_.clear();
    state_ = expectedNotes_.empty() ? State::Idle : State::Holding;
}

void WaitingPlayAlong::Hear(const HeardOnset& onset) {
    if (state_ == State::Idle) return;
    // The string played at the column before swells and fades as it rings on, and only a keen ear
    // hears it: a faint onset from before this column was reached is no note played for it.
    if (onset.Faint() && onset.milliseconds < column_.milliseconds) return;
    const bool sameOnset = latest_ && onset.SameOnsetAs(*latest_);
    // Right stays right whatever rings on, unless the onset that made it right proves otherwise.
    if (state_ == State::Right && !sameOnset) return;
    if (onset.sound) tuning_.Hear(*onset.sound, expectedNotes_);
    const std::vector<int> heard = onset.NotesAgainst(expectedNotes_, tuning_.OffsetCents());
    if (heard.empty() && !sameOnset) return;
    if (!sameOnset) {
        begunEarlier_.insert(begunEarlier_.end(), latestBegun_.begin(), latestBegun_.end());
    }
    // A later hearing of the onset sees more of a strum's strings, so what the earlier ones
    // heard begin still counts, unless it finds that nothing began there after all.
    if (!sameOnset || heard.empty()) latestBegun_.clear();
    latest_ = onset;
    wrong_.clear();
    bool anyWrong = false;
    for (const int note : heard) {
        if (std::binary_search(expectedNotes_.begin(), expectedNotes_.end(), note)) {
            if (std::find(latestBegun_.begin(), latestBegun_.end(), note) == latestBegun_.end())
                latestBegun_.push_back(note);
            continue;
        }
        anyWrong = true;
        if (const auto where = PlaceHeardNote(note, column_.positions)) wrong_.push_back(*where);
    }
    if (anyWrong) {
        begunEarlier_.clear();
        latestBegun_.clear();
    }
    state_ = Complete() ? State::Right : State::Holding;
}

bool WaitingPlayAlong::Complete() const {
    return std::all_of(expectedNotes_.begin(), expectedNotes_.end(), [this](int note) {
        const auto begun = [note](const std::vector<int>& notes) {
            return std::find(notes.begin(), notes.end(), note) != notes.end();
        };
        return begun(begunEarlier_) || begun(latestBegun_);
    });
}

void WaitingPlayAlong::Release() {
    if (state_ == State::Right) state_ = State::Idle;
}

}  // namespace fretlux
