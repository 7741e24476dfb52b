// SPDX-License-Identifier: MIT
#include "playalong/play_along_column.h"

#include <algorithm>
#include <cstdlib>

#include "fretboard/tuning.h"

namespace fretlux {
namespace {

constexpr int kHighestFret = 24;

const Tuning& StandardTuning() {
    static const Tuning tuning;
    return tuning;
}

}  // namespace

std::vector<int> PlayAlongColumn::Notes() const {
    std::vector<int> notes;
    for (const FretPosition& position : positions) {
        notes.push_back(StandardTuning().Pitch(position.string, position.fret));
    }
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    return notes;
}

std::vector<int> HeardOnset::NotesAgainst(const std::vector<int>& expected,
                                          double offsetCents) const {
    if (sound) return NotesBegun(*sound, expected, offsetCents);
    std::vector<int> heard = notes;
    std::sort(heard.begin(), heard.end());
    heard.erase(std::unique(heard.begin(), heard.end()), heard.end());
    return heard;
}

std::optional<FretPosition> PlaceHeardNote(int note, const std::vector<FretPosition>& expected) {
    int handFret = 0;  // where the hand is: the expected notes' middle fret
    for (const FretPosition& position : expected) handFret += position.fret;
    if (!expected.empty()) handFret /= static_cast<int>(expected.size());

    std::optional<FretPosition> best;
    int bestCost = 0;
    for (int string = 1; string <= kStrings; ++string) {
        const int fret = note - StandardTuning().Pitch(string, 0);
        if (fret < 0 || fret > kHighestFret) continue;
        // A slip of the fretting hand is likelier than a wrong string.
        int cost = std::abs(fret - handFret) + 100;
        for (const FretPosition& position : expected) {
            if (position.string == string) cost = std::min(cost, std::abs(fret - position.fret));
        }
        if (!best || cost < bestCost) {
            best = FretPosition{string, fret};
            bestCost = cost;
        }
    }
    return best;
}

}  // namespace fretlux
