// SPDX-License-Identifier: MIT
// Rendering timed messages through the synthesiser without a clock: where each message lands,
// how long the sound is, and what the progress bar hears. The sound cases use TimGM6mb, the
// soundfont that is always installed with the program, and skip without it.
#include "cli/offline_render.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "playback/midi_state.h"
#include "sound_measures.h"

namespace fretlux {
namespace {

using testing::FundamentalFrequency;
using testing::kAudible;
using testing::kSilence;
using testing::Rms;

TimedMidiMessage At(std::int64_t milliseconds, int status, int data1, int data2) {
    return {milliseconds, PackShortMessage(status, data1, data2)};
}

TEST(FrameAtMillisecond, IsTheNearestFrameWithHalvesToTheEvenOne) {
    const struct {
        std::int64_t milliseconds;
        std::int64_t rate;
        std::int64_t frame;
    } cases[] = {
        {0, 44100, 0},
        {1, 44100, 44},        // 44.1
        {2, 44100, 88},        // 88.2
        {5, 44100, 220},       // 220.5
        {15, 44100, 662},      // 661.5
        {9, 44100, 397},       // 396.9
        {1000, 44100, 44100},  //
        {1, 48000, 48},
        {-30, 44100, 0},  // before the start
        // Thirty hours, beyond what 32 bits can count.
        {108'000'000, 44100, 4'762'800'000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FrameAtMillisecond(c.milliseconds, c.rate), c.frame)
            << c.milliseconds << " ms at " << c.rate;
    }
}

TEST(RenderedFrameCount, RunsFromTheStartToTheLastEventPlusTheTail) {
    const std::vector<TimedMidiMessage> events = {At(0, 0xC0, 25, 0), At(1234, 0x90, 40, 100),
                                                  At(900, 0x90, 40, 0)};
    EXPECT_EQ(RenderedFrameCount(events, 44100, {.tailMilliseconds = 2000}),
              FrameAtMillisecond(3234, 44100));
    EXPECT_EQ(RenderedFrameCount(events, 44100, {.tailMilliseconds = 0}),
              FrameAtMillisecond(1234, 44100));
    EXPECT_EQ(RenderedFrameCount({}, 44100, {.tailMilliseconds = 500}), 22050);
    EXPECT_EQ(RenderedFrameCount({}, 44100, {.tailMilliseconds = 0}), 0);
}

class OfflineRender : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kTimGm6mbSoundfont)) {
            GTEST_SKIP() << kTimGm6mbSoundfont << " is not installed";
        }
        synth = MakeSynth();
        ASSERT_NE(synth, nullptr);
    }

    static std::unique_ptr<SoundfontSynth> MakeSynth() {
        std::string failure;
        std::unique_ptr<SoundfontSynth> made =
            SoundfontSynth::Create({kTimGm6mbSoundfont, false}, failure);
        EXPECT_NE(made, nullptr) << failure;
        return made;
    }

    // The left channel of everything rendered.
    std::vector<float> Render(SoundfontSynth& target, const std::vector<TimedMidiMessage>& events,
                              const OfflineRenderOptions& options) {
        std::vector<float> left;
        std::string failure;
        const bool rendered = RenderOffline(
            target, events,
            [&left](std::span<const float> blockLeft, std::span<const float> blockRight) {
                EXPECT_EQ(blockLeft.size(), blockRight.size());
                left.insert(left.end(), blockLeft.begin(), blockLeft.end());
                return true;
            },
            {}, failure, options);
        EXPECT_TRUE(rendered) << failure;
        return left;
    }

    std::unique_ptr<SoundfontSynth> synth;
};

// A note from 500 ms to 1235 ms on a nylon guitar, A at 110 Hz.
const std::vector<TimedMidiMessage> kOneNote = {At(0, 0xC0, 24, 0), At(500, 0x90, 45, 100),
                                                At(1235, 0x90, 45, 0)};

TEST_F(OfflineRender, ANoteSoundsFromItsTimeForAsLongAsThePieceAndItsTail) {
    const std::vector<float> left = Render(*synth, kOneNote, {.tailMilliseconds = 1000});
    const double rate = synth->SampleRate();
    EXPECT_NEAR(double(left.size()), (1235 + 1000) * rate / 1000, 1.0);

    const size_t noteFrame = static_cast<size_t>(0.5 * rate);
    const std::vector<float> before(left.begin(), left.begin() + noteFrame);
    const std::vector<float> during(left.begin() + noteFrame, left.begin() + 2 * noteFrame);
    EXPECT_LT(Rms(before), kSilence);
    EXPECT_GT(Rms(during), kAudible);
    EXPECT_NEAR(FundamentalFrequency(during, rate), 110.0, 110.0 * 0.03);
    // The FluidSynth mixes in blocks of 64 frames, so a note starts at most that much late.
    EXPECT_GT(Rms(std::vector<float>(left.begin() + noteFrame, left.begin() + noteFrame + 256)),
              kSilence);
}

TEST_F(OfflineRender, TheTailIsAParameter) {
    for (const std::int64_t tail : {0, 250, 3000}) {
        synth = MakeSynth();
        const std::vector<float> left = Render(*synth, kOneNote, {.tailMilliseconds = tail});
        EXPECT_EQ(std::int64_t(left.size()), FrameAtMillisecond(1235 + tail, 44100)) << tail;
    }
}

TEST_F(OfflineRender, TheBlockSizeDoesNotChangeTheSound) {
    // Blocks that end on, just before and just after the messages' frames must all send each
    // message at the same frame.
    const std::vector<float> reference = Render(*synth, kOneNote, {.tailMilliseconds = 300});
    for (const std::size_t block : {1, 63, 64, 1000, 22049, 22050, 100000}) {
        std::unique_ptr<SoundfontSynth> other = MakeSynth();
        const std::vector<float> left =
            Render(*other, kOneNote, {.tailMilliseconds = 300, .blockFrames = block});
        EXPECT_TRUE(left == reference) << "blocks of " << block;
    }
}

TEST_F(OfflineRender, ReportsProgressFromZeroToOneInStepsOfAtLeastOnePercent) {
    std::vector<double> reports;
    std::string failure;
    const bool rendered = RenderOffline(
        *synth, kOneNote, [](std::span<const float>, std::span<const float>) { return true; },
        [&reports](double fraction) { reports.push_back(fraction); }, failure,
        {.tailMilliseconds = 1000, .blockFrames = 64});
    ASSERT_TRUE(rendered) << failure;
    ASSERT_GE(reports.size(), 50u);  // a bar that moves, not one that jumps to the end
    EXPECT_LE(reports.size(), 102u);
    EXPECT_EQ(reports.front(), 0.0);
    EXPECT_EQ(reports.back(), 1.0);
    for (size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GT(reports[i], reports[i - 1]);
        if (i + 1 < reports.size()) {
            EXPECT_GE(reports[i] - reports[i - 1], 0.01);
        }
    }
}

TEST_F(OfflineRender, NothingToPlayGivesTheTailAndFullProgress) {
    std::vector<double> reports;
    std::string failure;
    size_t frames = 0;
    const auto count = [&frames](std::span<const float> left, std::span<const float>) {
        frames += left.size();
        return true;
    };
    const auto report = [&reports](double fraction) { reports.push_back(fraction); };
    ASSERT_TRUE(RenderOffline(*synth, {}, count, report, failure, {.tailMilliseconds = 0}));
    EXPECT_EQ(frames, 0u);
    EXPECT_EQ(reports, (std::vector<double>{0.0, 1.0}));
    ASSERT_TRUE(RenderOffline(*synth, {}, count, {}, failure, {.tailMilliseconds = 100}));
    EXPECT_EQ(frames, 4410u);
}

TEST_F(OfflineRender, StopsWhenTheSinkRefusesABlock) {
    int blocks = 0;
    std::string failure;
    const bool rendered = RenderOffline(
        *synth, kOneNote,
        [&blocks](std::span<const float>, std::span<const float>) { return ++blocks < 3; }, {},
        failure, {.tailMilliseconds = 1000, .blockFrames = 1024});
    EXPECT_FALSE(rendered);
    EXPECT_EQ(blocks, 3);
    EXPECT_NE(failure, "");
}

}  // namespace
}  // namespace fretlux
