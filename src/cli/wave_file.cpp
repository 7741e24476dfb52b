// SPDX-License-Identifier: MIT
#include "cli/wave_file.h"

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

std::vector<unsigned char> Header(std::uint32_t sampleRate) {
    std::vector<unsigned char> header(kHeaderBytes);
    unsigned char* out = header.data();
    std::memcpy(out, "RIFF", 4);
    PutLittleEndian(out + 4, 0, 4);
    std::memcpy(out + 8, "WAVE", 4);
    std::memcpy(out + 12, "fmt ", 4);
    PutLittleEndian(out + 16, 16, 4);  // the size of the PCM format chunk
    PutLittleEndian(out + 20, 1, 2);   // PCM
    PutLittleEndian(out + 22, kChannels, 2);
    PutLittleEndian(out + 24, sampleRate, 4);
    PutLittleEndian(out + 28, sampleRate * kBytesPerFrame, 4);
    PutLittleEndian(out + 32, kBytesPerFrame, 2);
    PutLittleEndian(out + 34, 8 * kBytesPerSample, 2);
    std::memcpy(out + 36, "data", 4);
    PutLittleEndian(out + 40, 0, 4);
    return header;
}

}  // namespace

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
    const std::vector<unsigned char> header = Header(static_cast<std::uint32_t>(sampleRate));
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
    block_.resize(left.size() * kBytesPerFrame);
    unsigned char* out = block_.data();
    for (size_t i = 0; i < left.size(); ++i) {
        // Two's complement bytes of the sample, least significant first.
        PutLittleEndian(out, static_cast<std::uint16_t>(PcmSample(left[i])), kBytesPerSample);
        PutLittleEndian(out + kBytesPerSample, static_cast<std::uint16_t>(PcmSample(right[i])),
                        kBytesPerSample);
        out += kBytesPerFrame;
    }
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
