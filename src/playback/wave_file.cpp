// SPDX-License-Identifier: MIT
#include "playback/wave_file.h"

#include <cmath>
#include <limits>

namespace fretlux {
namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;
constexpr int kBytesPerFrame = kChannels * kBytesPerSample;
constexpr std::uint32_t kHeaderBytes = 44;
// Where the two sizes sit in the header.
constexpr std::uint64_t kRiffSizeOffset = 4;
constexpr std::uint64_t kDataSizeOffset = 40;
// The RIFF size counts everything after its own field and must fit in 32 bits.
constexpr std::uint64_t kMostDataBytes =
    std::numeric_limits<std::uint32_t>::max() - (kHeaderBytes - 8);

void AppendLittleEndian(std::string& bytes, std::uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) bytes += static_cast<char>(value >> (8 * i));
}

// The streamed file starts with sizes of zero, which Finish fills in.
std::string HeaderWithSizes(std::uint32_t sampleRate, std::uint32_t riffSize,
                            std::uint32_t dataSize) {
    std::string header = "RIFF";
    AppendLittleEndian(header, riffSize, 4);
    header += "WAVEfmt ";
    AppendLittleEndian(header, 16, 4);  // the size of the PCM format chunk
    AppendLittleEndian(header, 1, 2);   // PCM
    AppendLittleEndian(header, kChannels, 2);
    AppendLittleEndian(header, sampleRate, 4);
    AppendLittleEndian(header, sampleRate * kBytesPerFrame, 4);
    AppendLittleEndian(header, kBytesPerFrame, 2);
    AppendLittleEndian(header, 8 * kBytesPerSample, 2);
    header += "data";
    AppendLittleEndian(header, dataSize, 4);
    return header;
}

}  // namespace

std::uint64_t MostWaveFrames() { return kMostDataBytes / kBytesPerFrame; }

std::string WaveHeader(std::uint32_t sampleRate, std::uint64_t frameCount) {
    const auto dataBytes = static_cast<std::uint32_t>(frameCount * kBytesPerFrame);
    return HeaderWithSizes(sampleRate, dataBytes + (kHeaderBytes - 8), dataBytes);
}

void AppendPcmFrames(std::string& bytes, std::span<const float> left,
                     std::span<const float> right) {
    for (std::size_t i = 0; i < left.size(); ++i) {
        // Two's complement bytes of the sample, least significant first.
        AppendLittleEndian(bytes, static_cast<std::uint16_t>(PcmSample(left[i])), kBytesPerSample);
        AppendLittleEndian(bytes, static_cast<std::uint16_t>(PcmSample(right[i])), kBytesPerSample);
    }
}

std::int16_t PcmSample(float sample) {
    if (std::isnan(sample)) return 0;
    const float clipped = sample < -1.0f ? -1.0f : (sample > 1.0f ? 1.0f : sample);
    return static_cast<std::int16_t>(std::lround(clipped * 32767.0f));
}

bool WaveFileWriter::Fail(const std::string& reason) {
    error_ = reason;
    file_.reset();
    return false;
}

// An earlier failure is the better reason, so it is kept.
bool WaveFileWriter::NotOpen() {
    if (error_.empty()) error_ = "cannot write " + path_ + ": the file is not open";
    return false;
}

bool WaveFileWriter::Open(const std::string& path, int sampleRate) {
    file_.reset();
    path_ = path;
    error_.clear();
    frames_ = 0;
    // The byte rate, four times the sample rate, has to fit the header too.
    if (sampleRate <= 0 ||
        std::uint64_t(sampleRate) * kBytesPerFrame > std::numeric_limits<std::uint32_t>::max()) {
        return Fail("cannot write " + path + ": unusable sample rate " +
                    std::to_string(sampleRate));
    }
    file_.emplace();
    std::optional<std::string> failure = file_->Open(path);
    if (!failure) {
        failure = file_->Write(HeaderWithSizes(static_cast<std::uint32_t>(sampleRate), 0, 0));
    }
    if (failure) return Fail("cannot write " + path + ": " + *failure);
    return true;
}

bool WaveFileWriter::Append(std::span<const float> left, std::span<const float> right) {
    if (!file_) return NotOpen();
    if (left.size() != right.size()) {
        return Fail("cannot write " + path_ + ": the channels differ in length");
    }
    if ((frames_ + left.size()) * kBytesPerFrame > kMostDataBytes) {
        return Fail("cannot write " + path_ + ": the sound is too long for a WAVE file");
    }
    block_.clear();
    AppendPcmFrames(block_, left, right);
    if (auto failure = file_->Write(block_)) return Fail("cannot write " + path_ + ": " + *failure);
    frames_ += left.size();
    return true;
}

bool WaveFileWriter::Finish() {
    if (!file_) return NotOpen();
    const auto dataBytes = static_cast<std::uint32_t>(frames_ * kBytesPerFrame);
    std::string size;
    AppendLittleEndian(size, dataBytes + (kHeaderBytes - 8), 4);
    std::optional<std::string> failure = file_->WriteAt(kRiffSizeOffset, size);
    size.clear();
    AppendLittleEndian(size, dataBytes, 4);
    if (!failure) failure = file_->WriteAt(kDataSizeOffset, size);
    if (!failure) failure = file_->Commit();
    if (failure) return Fail("cannot write " + path_ + ": " + *failure);
    file_.reset();
    return true;
}

}  // namespace fretlux
