// SPDX-License-Identifier: MIT
// The live path without a device: samples pushed as an audio callback would push them come out
// of the analysis thread as tuner readings, onsets and notes; the ring drops what does not fit.
#include "listening/analysis_thread.h"

#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <vector>

#include "listening/sample_ring.h"
#include "plucked_strings.h"

namespace fretlux::testing {
namespace {

TEST(SampleRing, PassesSamplesInOrderAcrossItsEndAndCountsWhatDidNotFit) {
    SampleRing ring(8);
    std::vector<float> out(8);
    float next = 0.0f, expected = 0.0f;
    for (int round = 0; round < 5; ++round) {
        std::vector<float> block(5);
        for (float& s : block) s = next++;
        EXPECT_EQ(ring.Push(block), 5u);
        const std::size_t count = ring.Pop(out);
        ASSERT_EQ(count, 5u);
        for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(out[i], expected++);
    }
    const std::vector<float> tooMany(11, 1.0f);
    EXPECT_EQ(ring.Push(tooMany), 8u);
    EXPECT_EQ(ring.Dropped(), 3u);
}

TEST(AnalysisThread, ReportsReadingsOnsetsAndNotesOfWhatThePushesCarry) {
    const int rate = 44100;
    const MonoAudio take = PluckedTake({{0.3, 40, 6.0, 6}, {1.0, 59, -9.0, 2}}, {rate, 1.6});
    std::mutex mutex;
    std::vector<TunerReading> readings;
    std::vector<std::int64_t> onsets;
    std::vector<TunerNote> notes;
    {
        AnalysisThread thread(rate,
                              {[&](const TunerReading& r) {
                                   std::lock_guard lock(mutex);
                                   readings.push_back(r);
                               },
                               [&](std::int64_t onset) {
                                   std::lock_guard lock(mutex);
                                   onsets.push_back(onset);
                               },
                               [&](const TunerNote& note) {
                                   std::lock_guard lock(mutex);
                                   notes.push_back(note);
                               }},
                              // The test pushes faster than real time: room for the whole take.
                              2.0);
        // Blocks of 256 samples, as a callback delivers them.
        const std::span<const float> samples(take.samples);
        for (std::size_t at = 0; at < samples.size(); at += 256) {
            thread.Push(samples.subspan(at, std::min<std::size_t>(256, samples.size() - at)));
        }
        thread.Stop();
        EXPECT_EQ(thread.DroppedSamples(), 0u);
    }
    EXPECT_GE(readings.size(), 1.6 * 10);
    ASSERT_EQ(onsets.size(), 2u);
    EXPECT_NEAR(static_cast<double>(onsets[0]) / rate, 0.3, 0.015);
    EXPECT_NEAR(static_cast<double>(onsets[1]) / rate, 1.0, 0.015);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].pitch.midi, 40);
    EXPECT_NEAR(notes[0].pitch.cents, 6.0, 2.0);
    EXPECT_EQ(notes[1].pitch.midi, 59);
    EXPECT_NEAR(notes[1].pitch.cents, -9.0, 2.0);
}

}  // namespace
}  // namespace fretlux::testing
