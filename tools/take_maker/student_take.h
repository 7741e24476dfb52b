// SPDX-License-Identifier: MIT
// A student playing a document: the messages Fretlux plays, changed the way a student's hands
// change them (timing, strummed chords, wrong and left-out notes), and per sounding column what
// the student really played and what a perfect listener would say about it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/tab_player.h"
#include "listening/take_judge.h"
#include "playback/timed_midi_message.h"

namespace fretlux::takes {

struct StudentHabits {
    std::uint64_t seed = 1;
    // The General MIDI program every note is played with, counted from 0 as the patch list does.
    int patch = 25;
    // The largest error of a column's time, early or late; never more than a third of the way
    // to a neighbouring column, since a student does not swap notes over.
    int timingMs = 30;
    // The largest gap between two strings of a chord, which is strummed from the low string up;
    // narrower where the last string would otherwise come nearer to the next column.
    int strumMs = 8;
    // Shares of the sounding columns played with a wrong note (in a chord, sometimes one note
    // left out instead) and left out altogether.
    double wrongShare = 0;
    double missedShare = 0;
    // A finger left on a wrong fret: how often a column that repeats the notes of the one before,
    // played with a wrong note on a wrong fret, is played with that wrong note again where it
    // would otherwise be played right.
    double repeatedSlipShare = 0.5;
};

struct TakenColumn {
    PlayedColumn expected;
    std::vector<int> played;      // ascending MIDI notes the student began, each once
    std::optional<int> offsetMs;  // the first of them minus the column's time; none when missed
    Verdict verdict = Verdict::Right;
};

struct StudentTake {
    std::vector<TimedMidiMessage> events;  // in time order, the patch chosen at time 0
    std::vector<TakenColumn> columns;
};

// score is what PlayDocument sends for a document, columns what PlayedColumns finds in it.
StudentTake PlayAsStudent(const std::vector<TimedMidiMessage>& score,
                          const std::vector<PlayedColumn>& columns, const StudentHabits& habits);

}  // namespace fretlux::takes
