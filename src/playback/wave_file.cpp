// SPDX-License-Identifier: MIT
#include "playback/wave_file.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

namespace fretlux {
namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;
constexpr int kBytesPerFrame = kChannels * kBytesPerSample;
constexpr std::uint32_t kHeaderBytes = 44;
// Where the two sizes sit in the header.
constexpr long kRiffSizeOffset = 4;
constexpr long kDataSizeOffset = 40;
// The RIFF size counts everything after its own field and must fit in 32 bits.
constexpr std::uint64_t kMostDataBytes =
    std::numeric_limits<std::uint32_t>::max() - (kHeaderBytes - 8);

void PutLittleEndian(unsigned char* out, std::uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) out[i] = static_cast<unsigned char>(value >> (8 * i));
}

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

WaveFileWriter::~WaveFileWriter() {
    if (file_ != nullptr) std::fclose(file_);
}

bool WaveFileWriter::Fail(const std::string& reason) {
    error_ = reason;
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    return false;
}

// An earlier failure is the better reason, so it is kept.
bool WaveFileWriter::NotOpen() {
    if (error_.empty()) error_ = "cannot write " + path_ + ": the file is not open";
    return false;
}

bool WaveFileWriter::Open(const std::string& path, int sampleRate) {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    path_ = path;
    error_.clear();
    frames_ = 0;
    // The byte rate, four times the sample rate, has to fit the header too.
    if (sampleRate <= 0 ||
        std::uint64_t(sampleRate) * kBytesPerFrame > std::numeric_limits<std::uint32_t>::max()) {
        return Fail("cannot write " + path + ": unusable sample rate " +
                    std::to_string(sampleRate));
    }
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) return Fail("cannot write " + path + ": " + std::strerror(errno));
    const std::string header = HeaderWithSizes(static_cast<std::uint32_t>(sampleRate), 0, 0);
    if (std::fwrite(header.data(), 1, header.size(), file_) != header.size()) {
        return Fail("cannot write " + path + ": " + std::strerror(errno));
    }
    return true;
}

bool WaveFileWriter::Append(std::span<const float> left, std::span<const float> right) {
    if (file_ == nullptr) return NotOpen();
    if (left.size() != right.size()) {
        return Fail("cannot write " + path_ + ": the channels differ in length");
    }
    if ((frames_ + left.size()) * kBytesPerFrame > kMostDataBytes) {
        return Fail("cannot write " + path_ + ": the sound is too long for a WAVE file");
    }
    block_.clear();
    AppendPcmFrames(block_, left, right);
    if (std::fwrite(block_.data(), 1, block_.size(), file_) != block_.size()) {
        return Fail("cannot write " + path_ + ": " + std::strerror(errno));
    }
    frames_ += left.size();
    return true;
}

bool WaveFileWriter::WriteSizes() {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(frames_ * kBytesPerFrame);
    unsigned char size[4];
    PutLittleEndian(size, dataBytes + (kHeaderBytes - 8), 4);
    if (std::fseek(file_, kRiffSizeOffset, SEEK_SET) != 0 || std::fwrite(size, 1, 4, file_) != 4) {
        return false;
    }
    PutLittleEndian(size, dataBytes, 4);
    return std::fseek(file_, kDataSizeOffset, SEEK_SET) == 0 && std::fwrite(size, 1, 4, file_) == 4;
}

bool WaveFileWriter::Finish() {
    if (file_ == nullptr) return NotOpen();
    // A full disk often shows only when the buffered frames go out, so the flush and the close
    // are checked as well as every write.
    if (!WriteSizes() || std::fflush(file_) != 0) {
        return Fail("cannot write " + path_ + ": " + std::strerror(errno));
    }
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) return Fail("cannot write " + path_ + ": " + std::strerror(errno));
    return true;
}

}  // namespace fretlux
