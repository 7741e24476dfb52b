// SPDX-License-Identifier: MIT
// The tuner on plucked strings made in the test, detuned by known amounts, with partials
// stretched as real strings stretch them: the notes found, their strings and cents.
#include "listening/tuner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "listening/pitch_names.h"
#include "plucked_strings.h"

namespace fretlux::testing {
namespace {

// The error in cents of a tuned pitch against the note and detuning played.
double CentsError(const TunedPitch& pitch, int midi, double cents) {
    return 100.0 * (pitch.midi - midi) + pitch.cents - cents;
}

// Through a small speaker the first partials fall away: the note played is still the one named,
// not its louder second or third partial, by fretlux-cli tune and by the window's needle alike,
// also over room noise.
TEST(Tuner, EachPluckedStringIsNamedOnItsStringWithinTwoCentsByBothTuners) {
    struct Case {
        int midi;
        double cents;
        double inharmonicity;
        int openString;
        int sampleRate;
        double speakerHertz;
        double noiseDb = -200.0;
    };
    const std::vector<Case> cases = {
        {40, -23.0, 1e-4, 6, 44100, 0},
        {45, 7.5, 2e-4, 5, 48000, 0},
        {50, 0.0, 0.0, 4, 44100, 0},
        {55, -4.0, 1e-4, 3, 96000, 0},
        {59, 31.0, 3e-4, 2, 44100, 0},
        {64, -12.3, 1e-4, 1, 22050, 0},
        {76, 18.0, 2e-4, 1, 44100, 0},
        {38, 0.0, 1e-4, 6, 44100, 0},
        {83, -20.0, 1e-4, 1, 8000, 0},
        {83, 15.0, 1e-4, 1, 44100, 0},
        {38, -40.0, 1e-4, 6, 44100, 250},
        {40, 12.0, 2e-4, 6, 44100, 300},
        {45, -9.0, 1e-4, 5, 48000, 350},
        {50, 4.0, 1e-4, 4, 44100, 400},
        {55, -30.0, 1e-4, 3, 44100, 500},
        {59, 15.0, 1e-4, 2, 44100, 600},
        {40, -17.0, 1e-4, 6, 44100, 300, -50.0},
        {64, 8.0, 1e-4, 1, 44100, 0, -40.0},
    };
    for (const Case& c : cases) {
        const std::string label = std::to_string(c.midi) + " through " +
                                  std::to_string(static_cast<int>(c.speakerHertz)) + " Hz";
        const MonoAudio take = PluckedTake({{0.3, c.midi, c.cents, 0, 0.25, c.inharmonicity}},
                                           {c.sampleRate, 1.5, c.noiseDb, 1, c.speakerHertz});
        const auto notes = HearNotes(take);
        ASSERT_EQ(notes.size(), 1u) << label;
        EXPECT_LE(std::fabs(CentsError(notes[0].pitch, c.midi, c.cents)), 2.0) << label;
        EXPECT_EQ(notes[0].pitch.openString, c.openString) << label;
        EXPECT_NEAR(static_cast<double>(notes[0].onsetSample) / c.sampleRate, 0.3, 0.015);

        LiveTuner tuner(c.sampleRate);
        int settled = 0;
        tuner.Feed(take.samples, [&](const TunerReading& reading) {
            if (reading.endSample < 0.5 * c.sampleRate) return;
            ++settled;
            EXPECT_TRUE(reading.pitched) << label << " at " << reading.endSample;
            EXPECT_LE(std::fabs(CentsError(reading.pitch, c.midi, c.cents)), 2.0)
                << label << " at " << reading.endSample;
        });
        EXPECT_GT(settled, 10) << label;
    }
}

TEST(Tuner, ANoteRingingOnIsNotMeasuredInPlaceOfTheNextOne) {
    const auto notes = HearNotes(PluckedTake(
        {{0.2, 40, 0.0, 6}, {0.7, 52, -8.0, 4, 0.15}, {1.2, 59, 5.0, 2, 0.15}}, {44100, 2.0}));
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_LE(std::fabs(CentsError(notes[1].pitch, 52, -8.0)), 2.0);
    EXPECT_LE(std::fabs(CentsError(notes[2].pitch, 59, 5.0)), 2.0);
}

// Tuning, the guitarist plucks the same string again and again while it still rings. Some
// sampled strings have a faint first partial and their upper partials a few cents off the series
// through it; each pluck reads as the first did, at the first partial, by both tuners.
TEST(Tuner, AStringPluckedAgainWhileItRingsReadsAsTheFirstPluck) {
    struct Case {
        int midi;
        double cents;
        double upperCents;
        double speakerHertz;
    };
    const std::vector<Case> cases = {
        {45, -6.0, 9.0, 250}, {47, 3.0, -7.0, 250}, {50, 0.0, 8.0, 300}, {55, -12.0, -6.0, 450}};
    for (const Case& c : cases) {
        std::vector<Pluck> plucks;
        for (const double seconds : {0.3, 1.5, 2.4}) {
            Pluck pluck{seconds, c.midi, c.cents, 5};
            pluck.upperCents = c.upperCents;
            plucks.push_back(pluck);
        }
        const MonoAudio take = PluckedTake(plucks, {44100, 3.6, -200.0, 1, c.speakerHertz});
        const std::string label = std::to_string(c.midi);
        const auto notes = HearNotes(take);
        ASSERT_EQ(notes.size(), plucks.size()) << label;
        for (const TunerNote& note : notes) {
            EXPECT_LE(std::fabs(CentsError(note.pitch, c.midi, c.cents)), 2.0)
                << label << " at " << note.onsetSample;
        }
        // The live readings once each pluck after the first has settled.
        LiveTuner tuner(44100);
        tuner.Feed(take.samples, [&](const TunerReading& reading) {
            const double seconds = static_cast<double>(reading.endSample) / 44100;
            if (seconds < 1.9 || (seconds > 2.4 && seconds < 2.8)) return;
            EXPECT_LE(std::fabs(CentsError(reading.pitch, c.midi, c.cents)), 2.0)
                << label << " at " << seconds;
        });
    }
}

// Some samples, and some strings, breathe faintly for a few tens of milliseconds before they sound
// out: the onset may be heard at the breath, while the note is still below the level of silence.
TEST(Tuner, ANoteThatBeginsWithAFaintBreathIsMeasured) {
    for (const double amplitude : {0.1, 0.25}) {
        for (const float breathShare : {0.015f, 0.03f, 0.05f}) {
            MonoAudio take = PluckedTake({{0.5, 41, -6.0, 6, amplitude}}, {44100, 1.5});
            const auto start = static_cast<std::size_t>(0.5 * 44100);
            for (std::size_t i = 0; i < static_cast<std::size_t>(0.03 * 44100); ++i) {
                take.samples[start + i] *= breathShare;
            }
            const auto notes = HearNotes(take);
            const std::string label =
                std::to_string(amplitude) + " breathing at " + std::to_string(breathShare);
            ASSERT_EQ(notes.size(), 1u) << label;
            EXPECT_LE(std::fabs(CentsError(notes[0].pitch, 41, -6.0)), 2.0) << label;
        }
    }
}

TEST(Tuner, SilenceAndRoomNoiseAreNoNotes) {
    EXPECT_TRUE(HearNotes(PluckedTake({}, {44100, 1.0})).empty());
    EXPECT_TRUE(HearNotes(PluckedTake({}, {44100, 1.0, -40.0})).empty());
    EXPECT_TRUE(HearNotes(PluckedTake({}, {44100, 1.0, -70.0})).empty());
}

// A microphone turned low, or a string plucked softly far from it.
TEST(Tuner, AStringFortyDecibelsQuieterIsStillNamedWithinTwoCents) {
    MonoAudio take = PluckedTake({{0.3, 45, -14.0, 5}, {1.3, 59, 6.0, 2}}, {44100, 2.3});
    for (float& sample : take.samples) sample *= 0.01f;
    const auto notes = HearNotes(take);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_LE(std::fabs(CentsError(notes[0].pitch, 45, -14.0)), 2.0);
    EXPECT_LE(std::fabs(CentsError(notes[1].pitch, 59, 6.0)), 2.0);
}

TEST(Tuner, TheNearestOpenStringIsTheLowerOneOnATie) {
    const std::vector<std::pair<double, int>> cases = {
        {28.0, 6}, {42.0, 6}, {42.5, 6}, {42.6, 5}, {47.5, 5},
        {52.5, 4}, {57.0, 3}, {61.5, 2}, {61.6, 1}, {90.0, 1},
    };
    for (const auto& [note, string] : cases) EXPECT_EQ(NearestOpenString(note), string) << note;
}

TEST(LiveTuner, ReadsTwentyTimesASecondAndFollowsTheString) {
    const int rate = 44100;
    const MonoAudio take = PluckedTake({{0.1, 45, -14.0, 0, 0.25, 1e-4}}, {rate, 1.5});
    LiveTuner tuner(rate);
    std::vector<TunerReading> readings;
    const std::span<const float> samples(take.samples);
    for (std::size_t at = 0; at < samples.size(); at += 441) {
        tuner.Feed(samples.subspan(at, std::min<std::size_t>(441, samples.size() - at)),
                   [&](const TunerReading& r) { readings.push_back(r); });
    }
    EXPECT_EQ(readings.size(), 30u);
    // Once the window holds the steady string, every reading shows it.
    for (const TunerReading& reading : readings) {
        if (reading.endSample < 0.35 * rate) continue;
        ASSERT_TRUE(reading.pitched) << reading.endSample;
        EXPECT_LE(std::fabs(CentsError(reading.pitch, 45, -14.0)), 2.0) << reading.endSample;
        EXPECT_EQ(reading.pitch.openString, 5);
    }
    EXPECT_FALSE(readings.front().pitched);
}

// Tuning the high E while the low E still rings: every partial of the high E is one of the low E's
// too, and the two together repeat at the low E's period. The needle shows the string plucked.
TEST(LiveTuner, ReadsTheStringPluckedNotALowerOneStillRingingUnderIt) {
    const int rate = 44100;
    const std::vector<std::pair<int, int>> ringingAndPlucked = {{40, 64}, {40, 59}, {45, 64},
                                                                {40, 52}, {45, 57}, {50, 62}};
    for (const auto& [ringing, plucked] : ringingAndPlucked) {
        const MonoAudio take =
            PluckedTake({{0.1, ringing, 0.0, 6}, {1.1, plucked, 7.0, 1, 0.15}}, {rate, 2.1});
        LiveTuner tuner(rate);
        int read = 0;
        const std::span<const float> samples(take.samples);
        for (std::size_t at = 0; at < samples.size(); at += 512) {
            tuner.Feed(samples.subspan(at, std::min<std::size_t>(512, samples.size() - at)),
                       [&](const TunerReading& reading) {
                           if (reading.endSample < 1.4 * rate) return;
                           ++read;
                           const std::string label = std::to_string(plucked) + " over " +
                                                     std::to_string(ringing) + " at " +
                                                     std::to_string(reading.endSample);
                           ASSERT_TRUE(reading.pitched) << label;
                           EXPECT_LE(std::fabs(CentsError(reading.pitch, plucked, 7.0)), 2.0)
                               << label;
                       });
        }
        EXPECT_GT(read, 10);
    }
}

}  // namespace
}  // namespace fretlux::testing
