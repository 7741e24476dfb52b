// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "listening/onset_sound.h"

namespace fretlux {

// Wait holds playback at each column until the student has played it; Score plays on and marks
// each column as it passes.
enum class PlayAlongMode { Wait, Score };

// A place on the fretboard: string 1 (low E) to 6 (high E), fret 0 to 24.
struct FretPosition {
    int string = 0;
    int fret = 0;
    bool operator==(const FretPosition&) const = default;
};

// A column the student plays along with: where it stands, when the player sounded it, and where
// the TAB puts its notes.
struct PlayAlongColumn {
    int tab = 0;     // 1-based
    int column = 0;  // 0-based
    std::int64_t milliseconds = 0;
    std::vector<FretPosition> positions;

    // Its notes as MIDI note numbers, ascending, each once.
    std::vector<int> Notes() const;
};

// Notes that began together in the input.
struct HeardOnset {
    HeardOnset(double ms, std::vector<int> midiNotes)
        : milliseconds(ms), notes(std::move(midiNotes)) {}
    HeardOnset(double ms, std::shared_ptr<const OnsetSound> heard)
        : milliseconds(ms), sound(std::move(heard)) {}

    // On the player's clock (milliseconds since Start), the input latency taken off.
    double milliseconds = 0.0;
    // From a MIDI port, the notes themselves (MIDI note numbers).
    std::vector<int> notes;
    // From audio input, the sound around the onset instead, judged against the notes expected
    // where it is heard.
    std::shared_ptr<const OnsetSound> sound;

    // The notes that began, ascending, where expected are the notes awaited, on a guitar tuned
    // offsetCents from concert pitch.
    std::vector<int> NotesAgainst(const std::vector<int>& expected, double offsetCents = 0.0) const;
    // False for the early hearings of an onset of audio, which a whole hearing of it follows.
    bool Whole() const { return !sound || sound->whole; }
    // Whether only a keen ear found the onset: a scored column takes it only where no other
    // onset came.
    bool Faint() const { return sound && sound->onsets.faint; }
    // Whether both are hearings of one onset of audio.
    bool SameOnsetAs(const HeardOnset& other) const {
        return sound && other.sound && sound->onsetSample == other.sound->onsetSample;
    }
};

// Where on the fretboard a heard note most likely was played, given where the column's notes
// are: on one of their strings near their fret, else near them on another string; nothing when
// no fret of any string sounds it.
std::optional<FretPosition> PlaceHeardNote(int note, const std::vector<FretPosition>& expected);

}  // namespace fretlux
