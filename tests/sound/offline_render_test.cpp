// SPDX-License-Identifier: MIT
// Rendering timed messages through the synthesiser without a clock: where each message lands,
// how long the sound is, and what the progress bar hears. The sound cases use TimGM6mb, the
// soundfont that is always installed with the program, and skip without it.
#include "sound/offline_render.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "playback/midi_state.h"
#include "sound_measures.h"

namespace fretlux {
namespace {

using testing::kAudible;
using testing::kSilence;
using testing::Rms;

TimedMidiMessage At(std::int64_t milliseconds, int status, int data1, int data2) {
    return {milliseconds, PackShortMessage(status, data1, data2)};
}

TEST(FrameAtMillisecond, IsTheNearestFrameWithHalvesToTheEvenOne) {
    // 1, 2, 5, 15 and 9 ms at 44100 Hz are frames 44.1, 88.2, 220.5, 661.5 and 396.9; -30 ms is
    // before the start, and thirty hours are beyond what 32 bits can count.
    const struct {
        std::int64_t milliseconds, rate, frame;
    } cases[] = {{0, 44100, 0},        {1, 44100, 44},
                 {2, 44100, 88},       {5, 44100, 220},
                 {15, 44100, 662},     {9, 44100, 397},
                 {1000, 44100, 44100}, {1, 48000, 48},
                 {-30, 44100, 0},      {108'000'000, 44100, 4'762'800'000}};
    for (const auto& c : cases) {
        EXPECT_EQ(FrameAtMillisecond(c.milliseconds, c.rate), c.frame)
            << c.milliseconds << " ms at " << c.rate;
    }
}

// A note from 500 ms to 1235 ms on a nylon guitar, A at 110 Hz.
const std::vector<TimedMidiMessage> kOneNote = {At(0, 0xC0, 24, 0), At(500, 0x90, 45, 100),
                                                At(1235, 0x90, 45, 0)};

class OfflineRender : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kTimGm6mbSoundfont)) {
            GTEST_SKIP() << kTimGm6mbSoundfont << " is not installed";
        }
    }

    // The left channel of everything a fresh synthesiser renders, with the progress it reports
    // when withProgress is set; the sink refuses block number refuseAt (from 1), if any.
    std::vector<float> Render(const std::vector<TimedMidiMessage>& events,
                              const OfflineRenderOptions& options, int refuseAt = 0) {
        std::string failure;
        const auto synth = SoundfontSynth::Create({kTimGm6mbSoundfont, false}, failure);
        EXPECT_NE(synth, nullptr) << failure;
        if (!synth) return {};
        rate = synth->SampleRate();
        std::vector<float> left;
        int blocks = 0;
        const auto sink = [&](std::span<const float> blockLeft, std::span<const float> right) {
            EXPECT_EQ(blockLeft.size(), right.size());
            left.insert(left.end(), blockLeft.begin(), blockLeft.end());
            return ++blocks != refuseAt;
        };
        progress.clear();
        ProgressReport report;
        if (withProgress) report = [this](double fraction) { progress.push_back(fraction); };
        EXPECT_EQ(RenderOffline(*synth, events, sink, report, failure, options), refuseAt == 0);
        EXPECT_EQ(failure.empty(), refuseAt == 0) << failure;
        if (refuseAt > 0) {
            EXPECT_EQ(blocks, refuseAt);
        }
        return left;
    }

    double rate = 0;
    bool withProgress = false;
    std::vector<double> progress;
};

TEST_F(OfflineRender, ANoteSoundsFromItsTimeForAsLongAsThePieceAndItsTail) {
    const std::vector<float> left = Render(kOneNote, {.tailMilliseconds = 1000});
    EXPECT_NEAR(double(left.size()), (1235 + 1000) * rate / 1000, 1.0);
    const size_t noteFrame = static_cast<size_t>(0.5 * rate);
    const std::vector<float> before(left.begin(), left.begin() + noteFrame);
    const std::vector<float> during(left.begin() + noteFrame, left.begin() + 2 * noteFrame);
    EXPECT_LT(Rms(before), kSilence);
    EXPECT_GT(Rms(during), kAudible);
    EXPECT_NEAR(testing::FundamentalFrequency(during, rate), 110.0, 110.0 * 0.03);
    // The FluidSynth mixes in blocks of 64 frames, so a note starts at most that much late.
    EXPECT_GT(Rms(std::vector<float>(left.begin() + noteFrame, left.begin() + noteFrame + 256)),
              kSilence);
    for (const std::int64_t tail : {0, 250, 3000}) {
        EXPECT_EQ(std::int64_t(Render(kOneNote, {.tailMilliseconds = tail}).size()),
                  FrameAtMillisecond(1235 + tail, 44100))
            << tail;
    }
}

TEST_F(OfflineRender, TheBlockSizeDoesNotChangeTheSound) {
    // Blocks that end on, just before and just after the messages' frames must all send each
    // message at the same frame.
    const std::vector<float> reference = Render(kOneNote, {.tailMilliseconds = 300});
    for (const std::size_t block : {1, 63, 64, 1000, 22049, 22050, 100000}) {
        EXPECT_TRUE(Render(kOneNote, {.tailMilliseconds = 300, .blockFrames = block}) == reference)
            << "blocks of " << block;
    }
}

TEST_F(OfflineRender, ReportsProgressFromZeroToOneInStepsOfAtLeastOnePercent) {
    withProgress = true;
    Render(kOneNote, {.tailMilliseconds = 1000, .blockFrames = 64});
    ASSERT_GE(progress.size(), 50u);  // a bar that moves, not one that jumps to the end
    EXPECT_LE(progress.size(), 102u);
    EXPECT_EQ(progress.front(), 0.0);
    EXPECT_EQ(progress.back(), 1.0);
    for (size_t i = 1; i < progress.size(); ++i) {
        EXPECT_GT(progress[i], progress[i - 1]);
        if (i + 1 < progress.size()) {
            EXPECT_GE(progress[i] - progress[i - 1], 0.01);
        }
    }
}

TEST_F(OfflineRender, NothingToPlayGivesTheTailAndFullProgress) {
    withProgress = true;
    EXPECT_EQ(Render({}, {.tailMilliseconds = 0}).size(), 0u);
    EXPECT_EQ(progress, (std::vector<double>{0.0, 1.0}));
    withProgress = false;
    EXPECT_EQ(Render({}, {.tailMilliseconds = 100}).size(), 4410u);
}

TEST_F(OfflineRender, StopsWhenTheSinkRefusesABlock) {
    Render(kOneNote, {.tailMilliseconds = 1000, .blockFrames = 1024}, 3);
}

}  // namespace
}  // namespace fretlux
