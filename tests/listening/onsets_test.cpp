// SPDX-License-Identifier: MIT
// The onset detectors on plucked strings made in the test: where each ear hears an onset, and
// whether it says the sound grew louder there.
#include "listening/onsets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "plucked_strings.h"

namespace fretlux::testing {
namespace {

std::optional<Onset> OnsetNear(const std::vector<Onset>& onsets, double seconds, int rate) {
    for (const Onset& onset : onsets) {
        if (std::fabs(static_cast<double>(onset.sample) / rate - seconds) < 0.05) return onset;
    }
    return std::nullopt;
}

// A string ringing loud, then a chord strummed softly with the flesh of the fingers, that string
// struck again in it: its old vibration stops as the new plucks swell in, so the sound grows no
// louder and nothing clicks. Only the keen ear hears the strum, and it says the sound grew no
// louder there; both hear the first pluck, which made it louder.
TEST(OnsetDetector, AKeenEarHearsAStrumThatMakesTheSoundNoLouderAndSaysSo) {
    const int rate = 44100;
    const std::vector<std::vector<int>> chords = {{45, 52, 57, 61}, {48, 52, 55, 60},
                                                  {43, 47, 50, 55}, {52, 56, 59, 64},
                                                  {50, 57, 62, 66}, {45, 52, 57, 60}};
    for (const std::vector<int>& chord : chords) {
        const int ringing = chord[1];
        std::vector<Pluck> plucks = {{0.3, ringing, 0.0, StringFor(ringing), 0.8}};
        for (const int note : chord) {
            Pluck soft = ThumbPluck(0.9 + 0.008 * static_cast<double>(plucks.size() - 1), note,
                                    StringFor(note), 0.05);
            soft.swellSeconds = 0.05;
            soft.highestHertz = 1000.0;
            plucks.push_back(soft);
        }
        const MonoAudio take = PluckedTake(plucks, {rate, 1.8, -70.0});
        const std::vector<Onset> ordinary = DetectOnsets(take);
        const std::vector<Onset> keen = DetectOnsets(take, OnsetKeenness::Keen);
        const auto label = ::testing::PrintToString(chord);
        ASSERT_TRUE(OnsetNear(ordinary, 0.3, rate)) << label;
        ASSERT_TRUE(OnsetNear(keen, 0.3, rate)) << label;
        EXPECT_TRUE(OnsetNear(keen, 0.3, rate)->louder) << label;
        EXPECT_FALSE(OnsetNear(ordinary, 0.9, rate)) << label;
        const std::optional<Onset> strum = OnsetNear(keen, 0.9, rate);
        ASSERT_TRUE(strum) << label;
        EXPECT_FALSE(strum->louder) << label;
    }
}

}  // namespace
}  // namespace fretlux::testing
