// SPDX-License-Identifier: MIT
#include "playalong/waiting_play_along.h"

#include <algorithm>

namespace fretlux {

void WaitingPlayAlong::Expect(PlayAlongColumn column) {
    column_ = std::move(column);
    expectedNotes_ = column_.Notes();
    begun_.clear();
    wrong_.clear();
    state_ = expectedNotes_.empty() ? State::Idle : State::Holding;
}

void WaitingPlayAlong::Hear(const HeardOnset& onset) {
    if (state_ == State::Idle) return;
    // Right stays right whatever rings on, unless the onset that made it right proves wrong.
    if (state_ == State::Right && !onset.SameOnsetAs(*rightAt_)) return;
    const std::vector<int> heard = onset.NotesAgainst(expectedNotes_);
    if (heard.empty()) return;
    wrong_.clear();
    bool anyWrong = false;
    for (const int note : heard) {
        const bool expected =
            std::binary_search(expectedNotes_.begin(), expectedNotes_.end(), note);
        if (!expected) {
            anyWrong = true;
            if (const auto where = PlaceHeardNote(note, column_.positions))
                wrong_.push_back(*where);
        } else if (std::find(begun_.begin(), begun_.end(), note) == begun_.end()) {
            begun_.push_back(note);
        }
    }
    if (anyWrong) {
        begun_.clear();
        state_ = State::Holding;
    } else if (state_ == State::Holding && begun_.size() == expectedNotes_.size()) {
        state_ = State::Right;
        rightAt_ = onset;
    }
}

void WaitingPlayAlong::Release() {
    if (state_ == State::Right) state_ = State::Idle;
}

}  // namespace fretlux
