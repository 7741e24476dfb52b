// SPDX-License-Identifier: MIT
// WAVE files are read back as a player would, so the rate, channels and samples found must be
// the ones written.
#include "playback/wave_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "wave_reader.h"

namespace fretlux::testing {
namespace {

namespace fs = std::filesystem;
using Pcm = std::vector<std::int16_t>;

class WaveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        directory = fs::temp_directory_path() / ("fretlux-wave-" + std::string(test->name()));
        fs::create_directories(directory);
        path = directory / "out.wav";
    }
    void TearDown() override { fs::remove_all(directory); }

    // Writes the blocks of frames, left and right, and reads the file back.
    ReadWave WriteAndRead(int rate, const std::vector<std::vector<float>>& blocks) {
        WaveFileWriter writer;
        EXPECT_TRUE(writer.Open(path.string(), rate)) << writer.Error();
        std::uint64_t frames = 0;
        for (std::size_t b = 0; b + 1 < blocks.size(); b += 2) {
            EXPECT_TRUE(writer.Append(blocks[b], blocks[b + 1])) << writer.Error();
            frames += blocks[b].size();
        }
        EXPECT_EQ(writer.FramesWritten(), frames);
        EXPECT_TRUE(writer.Finish()) << writer.Error();
        std::ifstream file(path, std::ios::binary);
        ReadWave wave =
            ReadWaveBytes({std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()});
        EXPECT_EQ(wave.error, "");
        EXPECT_EQ(wave.sampleRate, std::uint32_t(rate));
        return wave;
    }

    fs::path directory;
    fs::path path;
};

TEST_F(WaveFileTest, FramesAppendedInBlocksComeBackInOrderWithTheSizesFilledIn) {
    std::vector<std::vector<float>> blocks;
    Pcm left, right;
    int frame = 0;
    for (const int blockSize : {3, 0, 1000, 1, 4096}) {
        blocks.emplace_back();
        blocks.emplace_back();
        for (int i = 0; i < blockSize; ++i, ++frame) {
            // Whole steps of 1/32767 so that every sample converts exactly.
            const int value = (frame * 37) % 20000 - 10000;
            blocks[blocks.size() - 2].push_back(float(value) / 32767.0f);
            blocks.back().push_back(float(-value / 2) / 32767.0f);
            left.push_back(static_cast<std::int16_t>(value));
            right.push_back(static_cast<std::int16_t>(-value / 2));
        }
    }
    const ReadWave wave = WriteAndRead(44100, blocks);
    EXPECT_EQ(wave.left, left);
    EXPECT_EQ(wave.right, right);
}

TEST_F(WaveFileTest, KeepsTheRateItIsGivenClipsEachChannelAndMayHoldNoFrames) {
    for (const int rate : {8000, 22050, 48000, 96000}) {
        EXPECT_EQ(WriteAndRead(rate, {{0.25f}, {0.25f}}).left, Pcm{8192}) << rate;
    }
    const ReadWave clipped = WriteAndRead(44100, {{3.0f, -0.5f}, {-3.0f, 0.0f}});
    EXPECT_EQ(clipped.left, (Pcm{32767, -16384}));
    EXPECT_EQ(clipped.right, (Pcm{-32767, 0}));
    EXPECT_TRUE(WriteAndRead(44100, {}).left.empty());
}

TEST(PcmSample, ScalesRoundsAndClipsToSixteenBits) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const struct {
        float sample;
        std::int16_t pcm;
    } cases[] = {
        {0.0f, 0},         {1.0f, 32767},       {-1.0f, -32767},   {0.5f, 16384},
        {-0.5f, -16384},   {1.0f / 32767, 1},   {0.4f / 32767, 0}, {0.6f / 32767, 1},
        {1.0001f, 32767},  {-1.0001f, -32767},  {2.5f, 32767},     {-7.0f, -32767},
        {infinity, 32767}, {-infinity, -32767}, {nan, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(PcmSample(c.sample), c.pcm) << c.sample;
}

TEST_F(WaveFileTest, FailuresAreReportedAndLaterCallsKeepTheFirstReason) {
    const std::vector<float> frame = {0.1f};
    WaveFileWriter missing;
    const std::string nowhere = (directory / "no such folder" / "out.wav").string();
    EXPECT_FALSE(missing.Open(nowhere, 44100));
    const std::string reason = missing.Error();
    EXPECT_NE(reason.find(nowhere), std::string::npos) << reason;
    EXPECT_NE(reason.find("No such file or directory"), std::string::npos) << reason;
    EXPECT_FALSE(missing.Append(frame, frame));
    EXPECT_FALSE(missing.Finish());
    EXPECT_EQ(missing.Error(), reason);

    const struct {
        const char* reason;
        int rate;
        std::vector<float> right;
        bool open;
    } rows[] = {{"sample rate", 0, frame, true},
                {"channels differ", 44100, {0.1f, 0.2f}, true},
                {"not open", 44100, frame, false}};
    for (const auto& row : rows) {
        WaveFileWriter writer;
        const bool written = (!row.open || writer.Open(path.string(), row.rate)) &&
                             writer.Append(frame, row.right) && writer.Finish();
        EXPECT_FALSE(written) << row.reason;
        EXPECT_NE(writer.Error().find(row.reason), std::string::npos) << writer.Error();
    }
}

TEST_F(WaveFileTest, AFullDiskIsReported) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to stand for a full disk";
    // Writes to /dev/full are taken into the buffer and fail when the buffer goes out: a second
    // of sound overflows it during Append, a single frame only leaves it in Finish.
    for (const std::size_t frames : {44100, 1}) {
        WaveFileWriter writer;
        const std::vector<float> sound(frames, 0.1f);
        const bool written =
            writer.Open("/dev/full", 44100) && writer.Append(sound, sound) && writer.Finish();
        EXPECT_FALSE(written) << frames << " frames";
        EXPECT_NE(writer.Error().find("No space left on device"), std::string::npos)
            << writer.Error();
    }
}

}  // namespace
}  // namespace fretlux::testing
