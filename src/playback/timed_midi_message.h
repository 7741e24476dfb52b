// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace fretlux {

// A short MIDI message (status + 256 x data1 + 65536 x data2) and when it was sent, in
// milliseconds since playback started.
struct TimedMidiMessage {
    std::int64_t milliseconds = 0;
    std::uint32_t message = 0;

    int Status() const { return static_cast<int>(message & 0xFF); }
    int Data1() const { return static_cast<int>((message >> 8) & 0xFF); }
    int Data2() const { return static_cast<int>((message >> 16) & 0xFF); }

    friend bool operator==(const TimedMidiMessage&, const TimedMidiMessage&) = default;
};

}  // namespace fretlux
