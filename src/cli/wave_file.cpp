// SPDX-License-Identifier: MIT
#include "cli/wave_file.h"

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
constexpr std::uint64_t kRiffSizeOffset = 4;
constexpr std::uint64_t kDataSizeOffset = 40;
// The RIFF size counts everything after its own field and must fit in 32 bits.
constexpr std::uint64_t kMostDataBytes =
    std::numeric_limits<std::uint32_t>::max() - (kHeaderBytes - 8);

void PutLittleEndian(unsigned char* out, std::uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) out[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::string_view Bytes(const std::vector<unsigned char>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::vector<unsigned char> LittleEndian(std::uint32_t value) {
    std::vector<unsigned char> bytes(4);
    PutLittleEndian(bytes.data(), value, 4);
    return bytes;
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
    if (auto failure = file_->Open(path)) return Fail("cannot write " + path + ": " + *failure);
    if (auto failure = file_->Write(Bytes(Header(static_cast<std::uint32_t>(sampleRate))))) {
        return Fail("cannot write " + path + ": " + *failure);
    }
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
    block_.resize(left.size() * kBytesPerFrame);
    unsigned char* out = block_.data();
    for (size_t i = 0; i < left.size(); ++i) {
        // Two's complement bytes of the sample, least significant first.
        PutLittleEndian(out, static_cast<std::uint16_t>(PcmSample(left[i])), kBytesPerSample);
        PutLittleEndian(out + kBytesPerSample, static_cast<std::uint16_t>(PcmSample(right[i])),
                        kBytesPerSample);
        out += kBytesPerFrame;
    }
    if (auto failure = file_->Write(Bytes(block_))) {
        return Fail("cannot write " + path_ + ": " + *failure);
    }
    frames_ += left.size();
    return true;
}

bool WaveFileWriter::Finish() {
    if (!file_) return NotOpen();
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(frames_ * kBytesPerFrame);
    std::optional<std::string> failure =
        file_->WriteAt(kRiffSizeOffset, Bytes(LittleEndian(dataBytes + (kHeaderBytes - 8))));
    if (!failure) failure = file_->WriteAt(kDataSizeOffset, Bytes(LittleEndian(dataBytes)));
    if (!failure) failure = file_->Commit();
    if (failure) return Fail("cannot write " + path_ + ": " + *failure);
    file_.reset();
    return true;
}

}  // namespace fretlux
