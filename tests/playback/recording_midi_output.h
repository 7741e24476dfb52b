// SPDX-License-Identifier: MIT
// A MIDI output for tests: keeps every short message sent, and counts openings and closings, so a
// test can check exactly what would have sounded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "playback/midi_output.h"

namespace fretlux::testing {

struct RecordedMessage {
    std::uint32_t message = 0;

    int Status() const { return static_cast<int>(message & 0xFF); }
    int Data1() const { return static_cast<int>((message >> 8) & 0xFF); }
    int Data2() const { return static_cast<int>((message >> 16) & 0xFF); }
};

class RecordingMidiOutput : public MidiOutput {
public:
    void Open() override { ++openCount; }
    void SendShortMessage(std::uint32_t message) override { messages.push_back({message}); }
    void Close() override { ++closeCount; }
    std::string Status() const override {
        return "Recording output: messages are kept, not sounded";
    }

    bool Silent() const override { return silent; }

    // The notes switched on (with a velocity) so far, in order.
    std::vector<int> NotesOn() const {
        std::vector<int> notes;
        for (const RecordedMessage& m : messages) {
            if (m.Status() == 0x90 && m.Data2() > 0) notes.push_back(m.Data1());
        }
        return notes;
    }

    std::vector<RecordedMessage> messages;
    bool silent = false;
    int openCount = 0;
    int closeCount = 0;
};

}  // namespace fretlux::testing
