// SPDX-License-Identifier: MIT
// A MIDI output for tests: keeps every short message with the time it was sent, and counts
// openings and closings, so a test can check exactly what would have sounded.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "playback/midi_output.h"

namespace fretlux::testing {

struct RecordedMessage {
    std::uint32_t message = 0;
    std::chrono::steady_clock::time_point time;

    int Status() const { return static_cast<int>(message & 0xFF); }
    int Data1() const { return static_cast<int>((message >> 8) & 0xFF); }
    int Data2() const { return static_cast<int>((message >> 16) & 0xFF); }
};

class RecordingMidiOutput : public MidiOutput {
public:
    void Open() override { ++openCount; }
    void SendShortMessage(std::uint32_t message) override {
        messages.push_back({message, std::chrono::steady_clock::now()});
    }
    void Close() override { ++closeCount; }
    std::string Status() const override {
        return "Recording output: messages are kept, not sounded";
    }

    bool Silent() const override { return silent; }

    std::vector<RecordedMessage> messages;
    bool silent = false;
    int openCount = 0;
    int closeCount = 0;
};

}  // namespace fretlux::testing
