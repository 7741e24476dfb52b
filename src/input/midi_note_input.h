// SPDX-License-Identifier: MIT
// Notes from a MIDI input port (a MIDI guitar or keyboard gives exact notes), through RtMidi on
// the ALSA sequencer. RtMidi calls back on a thread of its own; the notes wait in a lock-free
// ring until the window takes them.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fretlux {

// The names of the MIDI ports that send; empty when there are none (or no ALSA sequencer).
std::vector<std::string> ListMidiInputPorts();

struct MidiNoteOn {
    int note = 0;
    int channel = 0;  // 0..15
    std::chrono::steady_clock::time_point when;
};

class MidiNoteInput {
public:
    explicit MidiNoteInput(const std::string& portName);
    ~MidiNoteInput();
    MidiNoteInput(const MidiNoteInput&) = delete;
    MidiNoteInput& operator=(const MidiNoteInput&) = delete;

    // Empty once the port is open and listening.
    const std::string& Error() const { return error_; }
    // The note-ons since the last call, oldest first.
    std::vector<MidiNoteOn> TakeNotes();

    // RtMidi's callback; public only so that the C-style callback can reach it.
    void Receive(const unsigned char* message, std::size_t size) noexcept;

private:
    struct Port;
    std::unique_ptr<Port> port_;
    std::string error_;
    // Single producer (RtMidi's thread), single consumer (the window): a note that finds the
    // ring full is dropped, as the callback cannot wait.
    std::array<MidiNoteOn, 256> ring_{};
    std::atomic<std::uint64_t> written_{0};
    std::atomic<std::uint64_t> read_{0};
};

}  // namespace fretlux
