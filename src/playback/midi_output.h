// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace fretlux {

// Where the program's sound goes: short MIDI messages packed as status + 256 x data1 +
// 65536 x data2. Sending never fails visibly; an output that cannot play stays silent.
class MidiOutput {
public:
    virtual ~MidiOutput() = default;
    virtual void Open() = 0;
    virtual void SendShortMessage(std::uint32_t message) = 0;
    virtual void Close() = 0;
    // One line for the MIDI settings window: which output sounds the notes, or why none does.
    virtual std::string Status() const = 0;
    // True when the output has given up sounding (no device, no soundfont).
    virtual bool Silent() const { return false; }
};

}  // namespace fretlux
