// SPDX-License-Identifier: MIT
// Reads a WAVE file back field by field as the RIFF/WAVE format lays it out, so that a test sees
// what a player would find: the rate, the channels and the samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fretlux::testing {

struct ReadWave {
    std::string error;  // empty when the bytes are a well-formed 16-bit PCM stereo WAVE
    std::uint32_t sampleRate = 0;
    std::vector<std::int16_t> left;
    std::vector<std::int16_t> right;
};

inline ReadWave ReadWaveBytes(const std::string& bytes) {
    const auto field = [&bytes](std::size_t at, int count) {
        std::uint32_t value = 0;
        for (int i = count - 1; i >= 0; --i) {
            value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        }
        return value;
    };
    ReadWave wave;
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0 ||
        bytes.compare(12, 4, "fmt ") != 0 || bytes.compare(36, 4, "data") != 0) {
        wave.error = "not a RIFF/WAVE file with its format chunk first";
    } else if (field(4, 4) != bytes.size() - 8 || field(40, 4) != bytes.size() - 44) {
        wave.error =
            "RIFF or data size do not match the " + std::to_string(bytes.size()) + " bytes";
    } else if (field(16, 4) != 16 || field(20, 2) != 1 || field(22, 2) != 2 || field(34, 2) != 16 ||
               field(28, 4) != field(24, 4) * 4 || field(32, 2) != 4) {
        wave.error = "not 16-bit PCM stereo";
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

}  // namespace fretlux::testing
