// SPDX-License-Identifier: MIT
// A take as the listener reads it: a WAVE file of 16-bit integer or 32-bit float PCM (plain, or
// in the extensible format), mono or stereo at 8,000 to 192,000 frames a second, mixed down to
// one channel. Anything else is refused with a reason that names what is wrong.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fretlux {

struct MonoAudio {
    int sampleRate = 0;
    std::vector<float> samples;  // full scale is [-1, 1]
};

struct TakeReading {
    std::optional<MonoAudio> audio;
    std::string error;  // why there is no audio
};

// The bytes of a WAVE file.
TakeReading ParseWave(std::string_view bytes);

// The WAVE file at path; the error names the path.
TakeReading ReadTakeFile(const std::string& path);

}  // namespace fretlux
