// SPDX-License-Identifier: MIT
// The takes the listening benchmarks judge: lesson excerpts (single-note lines and chords) made
// with take_maker through every General MIDI soundfont installed, on three guitar patches (or the
// other four), with and without room noise, from several seeds, each with wrong and left-out
// columns.
#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "take_commands.h"

namespace fretlux::takes {

inline constexpr int kPatches[] = {24, 25, 27};  // nylon, steel, clean electric
// Guitars a student may also play into the microphone: jazz, muted, overdriven and distortion.
inline constexpr int kOtherPatches[] = {26, 28, 29, 30};
inline constexpr double kNoiseBelow = 20;  // decibels below the playing
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

struct TakeSet {
    int seeds = 1;
    double detuneCents = 0.0;  // every string this far from concert pitch
    std::span<const int> patches = kPatches;
};

// Makes each take of the set in work, one after another, and hands it to judge; false, after
// saying why on standard error, when a take cannot be made.
bool MakeEachTake(const std::filesystem::path& work, const TakeSet& set,
                  const std::function<void(const TakeCase&)>& judge);

}  // namespace fretlux::takes
