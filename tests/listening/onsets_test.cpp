// SPDX-License-Identifier: MIT
// The onset detectors on plucked strings made in the test: where each ear hears an onset, and
// whether it says the sound grew louder there.
#include "listening/onsets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
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

// A low string plucked once and left to ring: the ordinary ear hears its pluck and nothing more as
// it rings on, at 44.1 kHz as at 48 kHz, whatever the phases its partials start in.
TEST(OnsetDetector, ALowStringLeftToRingMakesNoOtherOnsetAtTheCommonDeviceRates) {
    for (const int rate : {44100, 48000}) {
        for (const int note : {40, 45}) {
            for (unsigned seed = 1; seed <= 4; ++seed) {
                const MonoAudio take = PluckedTake({{0.2, note, 0.0, StringFor(note), 0.25}},
                                                   {rate, 2.5, -200.0, seed});
                const std::vector<Onset> onsets = DetectOnsets(take);
                ::testing::Message label;
                label << rate << " Hz, note " << note << ", seed " << seed;
                EXPECT_EQ(onsets.size(), 1u) << label;
                if (!onsets.empty()) {
                    EXPECT_NEAR(static_cast<double>(onsets[0].sample) / rate, 0.2, 0.01) << label;
                }
            }
        }
    }
}

// The same playing recorded at 48, 96 and 192 kHz: a low string ringing, then a tune plucked
// softly with the thumb. Every partial lies far below 24 kHz, so every second or fourth sample of
// the recording at 192 kHz is the recording at the lower rate. Each ear hears the same onsets in
// all three, and says alike whether the sound grew louder at each.
TEST(OnsetDetector, HearsTheSamePlayingAlikeAtAnyCommonRate) {
    constexpr int kHighestRate = 192000;
    const std::vector<int> tune = {57, 60, 64, 62, 59, 55, 52, 57};
    std::vector<Pluck> plucks = {{0.2, 45, 0.0, StringFor(45), 0.25}};
    for (std::size_t i = 0; i < tune.size(); ++i) {
        plucks.push_back(
            ThumbPluck(0.6 + 0.35 * static_cast<double>(i), tune[i], StringFor(tune[i]), 0.05));
    }
    const MonoAudio recorded = PluckedTake(plucks, {kHighestRate, 3.8});
    const auto atRate = [&recorded](int rate) {
        MonoAudio take{rate, {}};
        const auto step = static_cast<std::size_t>(kHighestRate / rate);
        for (std::size_t i = 0; i < recorded.samples.size(); i += step) {
            take.samples.push_back(recorded.samples[i]);
        }
        return take;
    };
    const MonoAudio base = atRate(48000);
    for (const OnsetKeenness keenness : {OnsetKeenness::Ordinary, OnsetKeenness::Keen}) {
        const std::vector<Onset> expected = DetectOnsets(base, keenness);
        for (const int rate : {96000, kHighestRate}) {
            const std::vector<Onset> heard = DetectOnsets(atRate(rate), keenness);
            const std::string label = std::to_string(rate) + " Hz, " +
                                      (keenness == OnsetKeenness::Keen ? "keen" : "ordinary");
            ASSERT_EQ(heard.size(), expected.size()) << label;
            for (std::size_t i = 0; i < heard.size(); ++i) {
                EXPECT_NEAR(static_cast<double>(heard[i].sample) / rate,
                            static_cast<double>(expected[i].sample) / base.sampleRate, 0.006)
                    << label << ", onset " << i;
                EXPECT_EQ(heard[i].louder, expected[i].louder) << label << ", onset " << i;
            }
        }
    }
}

}  // namespace
}  // namespace fretlux::testing
