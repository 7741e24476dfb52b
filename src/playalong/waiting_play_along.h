// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "listening/tuning_follower.h"
#include "playalong/play_along_column.h"

namespace fretlux {

// Play along in Wait mode: playback holds at each column with notes until the student has
// played them. The notes of a chord may come one onset after another; a wrong note shows where
// it was heard and the column must be played again from its first note. A column turns right at
// the first hearing of an onset that completes it, and back when a later, longer hearing of that
// onset finds a wrong note, or that nothing began there after all. An onset that only a keen ear
// found counts only from the moment the column was reached.
class WaitingPlayAlong {
public:
    enum class State { Idle, Holding, Right };

    // The player reached a column with notes and holds there.
    void Expect(PlayAlongColumn column);
    void Hear(const HeardOnset& onset);
    // The player moves on from a right column.
    void Release();

    State Current() const { return state_; }
    // The player may go on: nothing is expected, or the column was played right.
    bool MayGoOn() const { return state_ != State::Holding; }
    // What the fretboard shows: the expected notes, and in red the wrong notes of the latest
    // onset where they were heard.
    const std::vector<FretPosition>& Expected() const { return column_.positions; }
    const std::vector<FretPosition>& WrongNotes() const { return wrong_; }

private:
    bool Complete() const;

    State state_ = State::Idle;
    PlayAlongColumn column_;
    std::vector<int> expectedNotes_;
    // The expected notes begun at earlier onsets since the column was last begun, and at the
    // hearings of the latest onset.
    std::vector<int> begunEarlier_;
    std::optional<HeardOnset> latest_;
    std::vector<int> latestBegun_;
    std::vector<FretPosition> wrong_;
    // Over every column, as the guitar's tuning does not change with them.
    TuningFollower tuning_;
};

}  // namespace fretlux
