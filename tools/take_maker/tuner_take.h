// SPDX-License-Identifier: MIT
// Takes for the tuner: strings plucked one after another, each detuned by a known amount, either
// made by hand (partials slightly sharp of the harmonic series, as a real string's are, and the
// pitch a little sharp at the pluck) or rendered through the synthesiser, with what a perfect
// tuner would read for each once the note has settled.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "take_audio.h"

namespace fretlux::takes {

// One note as fretlux-cli tune reports it.
struct TunerReading {
    std::int64_t timeMs = 0;
    int string = 0;  // the nearest open string, 6 = low E .. 1 = high E
    std::string note;
    int midi = 0;
    double cents = 0;
};

struct TunerTake {
    TakeAudio audio;
    std::vector<TunerReading> readings;
};

// The reading for a pitch of midi + cents / 100 heard at timeMs; |cents| < 50.
TunerReading ReadingFor(std::int64_t timeMs, int midi, double cents);

// Notes from D2 to Bb5, half of them open strings, each detuned by up to 45 cents either way,
// 1.2 to 2.5 seconds long, most followed by a short silence, some cut by the next pluck.
TunerTake PluckedStrings(std::uint64_t seed, int noteCount);

// Notes the synthesiser plays with the patch and soundfont, asked for in tune; since a
// soundfont's samples may be a few cents off, each reading is what ReferenceCents measures.
std::optional<TunerTake> RenderedNotes(std::uint64_t seed, int noteCount, int patch,
                                       const std::string& soundfontPath, std::string& failure);

}  // namespace fretlux::takes
