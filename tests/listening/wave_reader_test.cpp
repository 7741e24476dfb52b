// SPDX-License-Identifier: MIT
// Takes are read from the WAVE forms recorders write, mixed down to one channel, and anything
// else is refused with a reason that names what is wrong.
#include "listening/wave_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace fretlux::testing {
namespace {

void Append(std::string& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes += static_cast<char>(value >> (8 * i));
}

struct Layout {
    int tag = 1;
    int channels = 1;
    int rate = 44100;
    int bits = 16;
    bool extensible = false;
};

// A WAVE file of layout holding samples (already interleaved), encoded as the layout says.
std::string WaveBytes(const Layout& layout, const std::vector<float>& samples) {
    std::string data;
    for (const float sample : samples) {
        if (layout.bits == 32) {
            std::uint32_t bits = 0;
            std::memcpy(&bits, &sample, sizeof bits);
            Append(data, bits, 4);
        } else {
            Append(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(sample * 32767.0f)),
                   layout.bits / 8);
        }
    }
    std::string format;
    Append(format, layout.extensible ? 0xFFFE : layout.tag, 2);
    Append(format, layout.channels, 2);
    Append(format, layout.rate, 4);
    Append(format, layout.rate * layout.channels * layout.bits / 8, 4);
    Append(format, layout.channels * layout.bits / 8, 2);
    Append(format, layout.bits, 2);
    if (layout.extensible) {
        Append(format, 22, 2);
        Append(format, layout.bits, 2);
        Append(format, 3, 4);  // front left and right
        Append(format, layout.tag, 2);
        format += std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    }
    std::string bytes = "RIFF";
    Append(bytes, static_cast<std::uint32_t>(4 + 8 + format.size() + 8 + data.size()), 4);
    bytes += "WAVEfmt ";
    Append(bytes, static_cast<std::uint32_t>(format.size()), 4);
    bytes += format;
    // A chunk the reader must step over.
    bytes += "LIST";
    Append(bytes, 3, 4);
    bytes += std::string("abc\0", 4);
    bytes += "data";
    Append(bytes, static_cast<std::uint32_t>(data.size()), 4);
    return bytes + data;
}

TEST(WaveReader, ReadsSixteenBitAndFloatPcmMonoOrStereoMixedDown) {
    struct Case {
        Layout layout;
        std::vector<float> samples;
        std::vector<float> mono;
    };
    const std::vector<Case> cases = {
        {{1, 1, 8000, 16}, {0.5f, -0.25f}, {0.5f, -0.25f}},
        {{1, 2, 48000, 16}, {0.5f, 0.25f, -1.0f, 0.0f}, {0.375f, -0.5f}},
        {{3, 1, 192000, 32}, {0.125f, -0.75f}, {0.125f, -0.75f}},
        {{3, 2, 44100, 32, true}, {1.0f, 0.0f, 0.25f, 0.75f}, {0.5f, 0.5f}},
        {{1, 2, 22050, 16, true}, {0.5f, 0.5f}, {0.5f}},
    };
    for (const Case& c : cases) {
        const TakeReading reading = ParseWave(WaveBytes(c.layout, c.samples));
        ASSERT_TRUE(reading.audio) << reading.error;
        EXPECT_EQ(reading.audio->sampleRate, c.layout.rate);
        ASSERT_EQ(reading.audio->samples.size(), c.mono.size());
        for (std::size_t i = 0; i < c.mono.size(); ++i) {
            EXPECT_NEAR(reading.audio->samples[i], c.mono[i], 1e-4) << c.layout.rate;
        }
    }
}

TEST(WaveReader, RefusesWhatItCannotReadNamingWhy) {
    struct Case {
        std::string bytes;
        std::string reason;
    };
    std::string noData = WaveBytes({}, {});
    noData.resize(noData.size() - 8);
    const std::vector<Case> cases = {
        {"ID3\x03 an MP3 file", "not a RIFF/WAVE file"},
        {WaveBytes({1, 1, 44100, 24}, {0.0f}), "24-bit integer samples"},
        {WaveBytes({1, 1, 44100, 8}, {0.0f}), "8-bit integer samples"},
        {WaveBytes({3, 1, 44100, 64}, {}), "64-bit float samples"},
        {WaveBytes({2, 1, 44100, 16}, {0.0f}), "compressed (format 2)"},
        {WaveBytes({1, 3, 44100, 16}, {0.0f, 0.0f, 0.0f}), "3 channels"},
        {WaveBytes({1, 1, 4000, 16}, {0.0f}), "sample rate 4000 Hz"},
        {WaveBytes({1, 1, 384000, 16}, {0.0f}), "sample rate 384000 Hz"},
        {noData, "no data chunk"},
    };
    for (const Case& c : cases) {
        const TakeReading reading = ParseWave(c.bytes);
        EXPECT_FALSE(reading.audio);
        EXPECT_NE(reading.error.find(c.reason), std::string::npos) << reading.error;
    }
}

}  // namespace
}  // namespace fretlux::testing
