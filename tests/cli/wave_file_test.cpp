// SPDX-License-Identifier: MIT
// WAVE files are read back field by field as the RIFF/WAVE format lays them out, so that a
// player would find the same rate, channels and samples that were written.
#include "cli/wave_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace fretlux {
namespace {

namespace fs = std::filesystem;

struct ReadWave {
    std::string error;  // empty when the file is a well-formed 16-bit PCM stereo WAVE
    std::uint32_t sampleRate = 0;
    std::vector<std::int16_t> left;
    std::vector<std::int16_t> right;
};

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

ReadWave ReadWaveFile(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(stream),
                            std::istreambuf_iterator<char>()};
    ReadWave wave;
    if (bytes.size() < 44) {
        wave.error = "only " + std::to_string(bytes.size()) + " bytes";
        return wave;
    }
    const auto field = [&](std::size_t at, int count) { return LittleEndian(bytes, at, count); };
    if (bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0 ||
        bytes.compare(12, 4, "fmt ") != 0 || bytes.compare(36, 4, "data") != 0) {
        wave.error = "not a RIFF/WAVE file with its format chunk first";
    } else if (field(4, 4) != bytes.size() - 8) {
        wave.error = "RIFF size " + std::to_string(field(4, 4)) + " for " +
                     std::to_string(bytes.size()) + " bytes";
    } else if (field(16, 4) != 16 || field(20, 2) != 1 || field(22, 2) != 2 || field(34, 2) != 16) {
        wave.error = "not 16-bit PCM stereo";
    } else if (field(28, 4) != field(24, 4) * 4 || field(32, 2) != 4) {
        wave.error = "byte rate or block size do not match 16-bit stereo";
    } else if (field(40, 4) != bytes.size() - 44) {
        wave.error = "data size " + std::to_string(field(40, 4)) + " for " +
                     std::to_string(bytes.size() - 44) + " bytes of data";
    } else if (field(40, 4) % 4 != 0) {
        wave.error = "a partial frame";
    }
    if (!wave.error.empty()) return wave;
    wave.sampleRate = field(24, 4);
    for (std::size_t at = 44; at + 4 <= bytes.size(); at += 4) {
        wave.left.push_back(static_cast<std::int16_t>(field(at, 2)));
        wave.right.push_back(static_cast<std::int16_t>(field(at + 2, 2)));
    }
    return wave;
}

class WaveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        directory =
            fs::temp_directory_path() /
            ("fretlux-wave-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(directory);
        path = directory / "out.wav";
    }
    void TearDown() override { fs::remove_all(directory); }

    fs::path directory;
    fs::path path;
};

TEST_F(WaveFileTest, FramesAppendedInBlocksComeBackInOrderWithTheSizesFilledIn) {
    WaveFileWriter writer;
    ASSERT_TRUE(writer.Open(path.string(), 44100)) << writer.Error();
    std::vector<std::int16_t> expectedLeft;
    std::vector<std::int16_t> expectedRight;
    int frame = 0;
    for (const int blockSize : {3, 0, 1000, 1, 4096}) {
        std::vector<float> left;
        std::vector<float> right;
        for (int i = 0; i < blockSize; ++i, ++frame) {
            // Whole steps of 1/32767 so that every sample converts exactly.
            const int value = (frame * 37) % 20000 - 10000;
            left.push_back(float(value) / 32767.0f);
            right.push_back(float(-value / 2) / 32767.0f);
            expectedLeft.push_back(static_cast<std::int16_t>(value));
            expectedRight.push_back(static_cast<std::int16_t>(-value / 2));
        }
        ASSERT_TRUE(writer.Append(left, right)) << writer.Error();
    }
    EXPECT_EQ(writer.FramesWritten(), std::uint64_t(frame));
    ASSERT_TRUE(writer.Finish()) << writer.Error();

    const ReadWave wave = ReadWaveFile(path);
    ASSERT_EQ(wave.error, "");
    EXPECT_EQ(wave.sampleRate, 44100u);
    EXPECT_EQ(wave.left, expectedLeft);
    EXPECT_EQ(wave.right, expectedRight);
}

TEST_F(WaveFileTest, KeepsTheRateItIsGiven) {
    for (const int rate : {8000, 22050, 48000, 96000}) {
        WaveFileWriter writer;
        const std::vector<float> frame = {0.25f};
        ASSERT_TRUE(writer.Open(path.string(), rate) && writer.Append(frame, frame) &&
                    writer.Finish())
            << writer.Error();
        const ReadWave wave = ReadWaveFile(path);
        ASSERT_EQ(wave.error, "");
        EXPECT_EQ(wave.sampleRate, std::uint32_t(rate));
        EXPECT_EQ(wave.left, std::vector<std::int16_t>{8192});
    }
}

TEST_F(WaveFileTest, NoFramesGiveAnEmptyDataChunk) {
    WaveFileWriter writer;
    ASSERT_TRUE(writer.Open(path.string(), 44100) && writer.Finish()) << writer.Error();
    const ReadWave wave = ReadWaveFile(path);
    EXPECT_EQ(wave.error, "");
    EXPECT_TRUE(wave.left.empty());
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

TEST_F(WaveFileTest, ClippedSamplesReachTheFileOnTheirOwnChannel) {
    WaveFileWriter writer;
    const std::vector<float> left = {3.0f, -0.5f};
    const std::vector<float> right = {-3.0f, 0.0f};
    ASSERT_TRUE(writer.Open(path.string(), 44100) && writer.Append(left, right) && writer.Finish())
        << writer.Error();
    const ReadWave wave = ReadWaveFile(path);
    ASSERT_EQ(wave.error, "");
    EXPECT_EQ(wave.left, (std::vector<std::int16_t>{32767, -16384}));
    EXPECT_EQ(wave.right, (std::vector<std::int16_t>{-32767, 0}));
}

TEST_F(WaveFileTest, FailuresAreReportedAndLaterCallsKeepTheFirstReason) {
    const std::vector<float> frame = {0.1f};
    {
        WaveFileWriter writer;
        const std::string missing = (directory / "no such folder" / "out.wav").string();
        EXPECT_FALSE(writer.Open(missing, 44100));
        const std::string reason = writer.Error();
        EXPECT_NE(reason.find(missing), std::string::npos) << reason;
        EXPECT_NE(reason.find("No such file or directory"), std::string::npos) << reason;
        EXPECT_FALSE(writer.Append(frame, frame));
        EXPECT_FALSE(writer.Finish());
        EXPECT_EQ(writer.Error(), reason);
    }
    {
        WaveFileWriter writer;
        EXPECT_FALSE(writer.Open(path.string(), 0));
        EXPECT_NE(writer.Error().find("sample rate"), std::string::npos) << writer.Error();
    }
    {
        WaveFileWriter writer;
        ASSERT_TRUE(writer.Open(path.string(), 44100)) << writer.Error();
        const std::vector<float> two = {0.1f, 0.2f};
        EXPECT_FALSE(writer.Append(frame, two));
        EXPECT_NE(writer.Error().find("channels differ"), std::string::npos) << writer.Error();
        EXPECT_FALSE(writer.Finish());
    }
    {
        WaveFileWriter writer;
        EXPECT_FALSE(writer.Append(frame, frame));
        EXPECT_NE(writer.Error().find("not open"), std::string::npos) << writer.Error();
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
}  // namespace fretlux
