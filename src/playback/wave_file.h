// SPDX-License-Identifier: MIT
// 16-bit PCM stereo RIFF/WAVE. The writer streams it as the sound is made: the header goes out
// first with sizes of zero, frames are appended as they come, and Finish writes the real sizes,
// so a long piece never has to fit in memory; the file is written through OutputFile, so it takes
// the target's place only when Finish succeeds, and an unfinished one is thrown away. The same
// bytes can be built in memory, for a file that is handed over whole.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "document/output_file.h"

namespace fretlux {

// A WAVE file made in memory: its bytes, or why it could not be made, or that the user stopped
// it.
struct RenderedWave {
    std::string bytes;
    std::optional<std::string> failure;
    bool cancelled = false;
};

// The frames a WAVE file can hold: its sizes are 32-bit.
std::uint64_t MostWaveFrames();

// The header of a file of frameCount frames at sampleRate frames a second.
std::string WaveHeader(std::uint32_t sampleRate, std::uint64_t frameCount);

// Appends one frame per pair of samples, each as PcmSample's two bytes, least significant first,
// left before right; both spans have the same size.
void AppendPcmFrames(std::string& bytes, std::span<const float> left, std::span<const float> right);

class WaveFileWriter {
public:
    WaveFileWriter() = default;
    WaveFileWriter(const WaveFileWriter&) = delete;
    WaveFileWriter& operator=(const WaveFileWriter&) = delete;

    // Starts the file for path and writes the header. False, with the reason in Error(), when the
    // file cannot be created or the rate is not a positive whole number that fits the header.
    bool Open(const std::string& path, int sampleRate);

    // Appends one frame per pair of samples; both spans have the same size. Samples outside
    // [-1, 1] are clipped to it.
    bool Append(std::span<const float> left, std::span<const float> right);

    // Writes the sizes into the header and puts the file in place.
    bool Finish();

    const std::string& Error() const { return error_; }
    std::uint64_t FramesWritten() const { return frames_; }

private:
    bool Fail(const std::string& reason);
    bool NotOpen();

    std::optional<OutputFile> file_;
    std::string path_;
    std::string error_;
    std::uint64_t frames_ = 0;
    std::string block_;
};

// The 16-bit sample for a float sample: clipped to [-1, 1], scaled by 32767 and rounded to the
// nearest integer. Not-a-number gives silence.
std::int16_t PcmSample(float sample);

}  // namespace fretlux
