// SPDX-License-Identifier: MIT
#include "listening/wave_reader.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fretlux {

namespace {

constexpr int kFormatPcm = 1;
constexpr int kFormatFloat = 3;
constexpr int kFormatExtensible = 0xFFFE;
constexpr int kLowestRate = 8000;
constexpr int kHighestRate = 192000;
// A take is minutes of playing; a file this large is something else and would not fit in memory
// once turned into samples.
constexpr std::uintmax_t kLargestFile = std::uintmax_t{1} << 30;

std::uint32_t LittleEndian(std::string_view bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

struct WaveFormat {
    int tag = 0;  // kFormatPcm or kFormatFloat once the extensible form is looked through
    int channels = 0;
    int sampleRate = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
};

std::optional<std::string> ReadFormat(std::string_view chunk, WaveFormat& format) {
    if (chunk.size() < 16) return "its format chunk is too short";
    format.tag = static_cast<int>(LittleEndian(chunk, 0, 2));
    format.channels = static_cast<int>(LittleEndian(chunk, 2, 2));
    format.sampleRate = static_cast<int>(LittleEndian(chunk, 4, 4));
    format.blockAlign = static_cast<int>(LittleEndian(chunk, 12, 2));
    format.bitsPerSample = static_cast<int>(LittleEndian(chunk, 14, 2));
    if (format.tag == kFormatExtensible) {
        // The sub-format's first two bytes are the tag the plain form would give.
        if (chunk.size() < 40) return "its extensible format chunk is too short";
        format.tag = static_cast<int>(LittleEndian(chunk, 24, 2));
    }
    const bool pcm16 = format.tag == kFormatPcm && format.bitsPerSample == 16;
    const bool float32 = format.tag == kFormatFloat && format.bitsPerSample == 32;
    if (format.tag != kFormatPcm && format.tag != kFormatFloat) {
        return "its samples are compressed (format " + std::to_string(format.tag) +
               "); only 16-bit or 32-bit float PCM is read";
    }
    if (!pcm16 && !float32) {
        return "it holds " + std::to_string(format.bitsPerSample) +
               (format.tag == kFormatFloat ? "-bit float" : "-bit integer") +
               " samples; only 16-bit or 32-bit float PCM is read";
    }
    if (format.channels != 1 && format.channels != 2) {
        return "it has " + std::to_string(format.channels) +
               " channels; only mono or stereo is read";
    }
    if (format.sampleRate < kLowestRate || format.sampleRate > kHighestRate) {
        return "its sample rate " + std::to_string(format.sampleRate) + " Hz is outside 8000 to " +
               "192000 Hz";
    }
    if (format.blockAlign != format.channels * format.bitsPerSample / 8) {
        return "its frame size does not match its channels and sample size";
    }
    return std::nullopt;
}

float SampleAt(std::string_view data, std::size_t at, const WaveFormat& format) {
    if (format.tag == kFormatPcm) {
        return static_cast<float>(static_cast<std::int16_t>(LittleEndian(data, at, 2))) / 32768.0f;
    }
    const std::uint32_t bits = LittleEndian(data, at, 4);
    float sample = 0.0f;
    std::memcpy(&sample, &bits, sizeof sample);
    // Not-a-number or infinite samples are damage, heard as nothing.
    return std::isfinite(sample) ? sample : 0.0f;
}

TakeReading Refused(std::string reason) { return {std::nullopt, "not a usable take: " + reason}; }

}  // namespace

TakeReading ParseWave(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return Refused("it is not a RIFF/WAVE file");
    }
    std::optional<WaveFormat> format;
    std::optional<std::string_view> data;
    for (std::size_t at = 12; at + 8 <= bytes.size() && !data;) {
        const std::string_view id = bytes.substr(at, 4);
        const std::size_t size = LittleEndian(bytes, at + 4, 4);
        // A chunk cut short by the end of the file (a recording that was never finished) keeps
        // what is there.
        const std::string_view chunk = bytes.substr(at + 8, size);
        if (id == "fmt ") {
            format.emplace();
            if (auto reason = ReadFormat(chunk, *format)) return Refused(*reason);
        } else if (id == "data") {
            data = chunk;
        }
        at += 8 + size + size % 2;
    }
    if (!format) return Refused("it has no format chunk before its samples");
    if (!data) return Refused("it has no data chunk");
    MonoAudio audio;
    audio.sampleRate = format->sampleRate;
    const std::size_t frames = data->size() / format->blockAlign;
    const std::size_t sampleBytes = format->bitsPerSample / 8;
    audio.samples.reserve(frames);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const std::size_t at = frame * format->blockAlign;
        float sum = 0.0f;
        for (int channel = 0; channel < format->channels; ++channel) {
            sum += SampleAt(*data, at + channel * sampleBytes, *format);
        }
        audio.samples.push_back(sum / static_cast<float>(format->channels));
    }
    return {std::move(audio), ""};
}

TakeReading ReadTakeFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return {std::nullopt, path + ": no such file"};
    }
    if (std::filesystem::file_size(path, error) > kLargestFile) {
        return {std::nullopt, path + ": too large for a take (more than 1 GB)"};
    }
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!file && !file.eof()) return {std::nullopt, path + ": cannot be read"};
    TakeReading reading = ParseWave(bytes);
    if (!reading.audio) reading.error = path + ": " + reading.error;
    return reading;
}

}  // namespace fretlux
