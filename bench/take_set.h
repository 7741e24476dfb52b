// SPDX-License-Identifier: MIT
// The takes the listening benchmarks judge: lesson excerpts (single-note lines and chords) made
// with take_maker through every General MIDI soundfont installed, three guitar patches, with
// and without room noise, from several seeds, each with wrong and left-out columns.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "take_commands.h"

namespace fretlux::takes {

inline constexpr int kPatches[] = {24, 25, 27};  // nylon, steel, clean electric
inline constexpr double kNoiseBelow = 20;        // decibels below the playing
inline constexpr double kWrongShare = 0.10;
inline constexpr double kMissedShare = 0.05;

// The name and path of each General MIDI soundfont installed.
std::vector<std::pair<std::string, std::string>> InstalledSoundfonts();

struct TakeCase {
    const char* lesson;
    bool chords;  // the excerpt strums chords rather than picking single notes
    bool noise;
    std::string sound;  // the soundfont's name and the patch
    TakeRequest request;
};

// Makes each take in work, one after another, on a guitar detuneCents off concert pitch, and
// hands it to judge; false, after saying why on standard error, when a take cannot be made.
bool MakeEachTake(const std::filesystem::path& work, int seeds, double detuneCents,
                  const std::function<void(const TakeCase&)>& judge);

}  // namespace fretlux::takes
