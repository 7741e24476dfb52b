// SPDX-License-Identifier: MIT
// Writes 16-bit PCM stereo RIFF/WAVE as the sound is made: the header goes out first with sizes
// of zero, frames are appended as they come, and Finish writes the real sizes, so a long piece
// never has to fit in memory. The file is written through OutputFile: it takes the target's place
// only when Finish succeeds, and an unfinished one is thrown away.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/output_file.h"

namespace fretlux {

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
    std::vector<unsigned char> block_;
};

// The 16-bit sample for a float sample: clipped to [-1, 1], scaled by 32767 and rounded to the
// nearest integer. Not-a-number gives silence.
std::int16_t PcmSample(float sample);

}  // namespace fretlux
