// SPDX-License-Identifier: MIT
#include "input/midi_note_input.h"

#include <rtmidi/RtMidi.h>

#include "input/alsa_diagnostics.h"

namespace fretlux {
namespace {

constexpr const char* kClientName = "Fretlux";

void ReceiveMessage(double, std::vector<unsigned char>* message, void* user) {
    static_cast<MidiNoteInput*>(user)->Receive(message->data(), message->size());
}

}  // namespace

struct MidiNoteInput::Port {
    RtMidiIn in{RtMidi::LINUX_ALSA, kClientName};
};

std::vector<std::string> ListMidiInputPorts() {
    std::vector<std::string> names;
    if (!AlsaSequencerAvailable()) return names;
    try {
        RtMidiIn in(RtMidi::LINUX_ALSA, kClientName);
        for (unsigned int port = 0; port < in.getPortCount(); ++port) {
            names.push_back(in.getPortName(port));
        }
    } catch (const RtMidiError&) {
        names.clear();
    }
    return names;
}

MidiNoteInput::MidiNoteInput(const std::string& portName) {
    if (!AlsaSequencerAvailable()) {
        error_ = "the ALSA MIDI sequencer cannot be opened";
        return;
    }
    try {
        port_ = std::make_unique<Port>();
        for (unsigned int port = 0; port < port_->in.getPortCount(); ++port) {
            if (port_->in.getPortName(port) != portName) continue;
            port_->in.setCallback(&ReceiveMessage, this);
            port_->in.ignoreTypes(true, true, true);
            port_->in.openPort(port, "Fretlux input");
            return;
        }
        error_ = "no MIDI input port " + portName;
    } catch (const RtMidiError& failure) {
        error_ = failure.getMessage();
    }
    port_.reset();
}

MidiNoteInput::~MidiNoteInput() {
    if (port_) port_->in.closePort();
}

void MidiNoteInput::Receive(const unsigned char* message, std::size_t size) noexcept {
    const bool noteOn = size >= 3 && (message[0] & 0xF0) == 0x90 && message[2] > 0;
    if (!noteOn) return;
    const std::uint64_t written = written_.load(std::memory_order_relaxed);
    if (written - read_.load(std::memory_order_acquire) >= ring_.size()) return;
    ring_[written % ring_.size()] = {message[1], message[0] & 0x0F,
                                     std::chrono::steady_clock::now()};
    written_.store(written + 1, std::memory_order_release);
}

std::vector<MidiNoteOn> MidiNoteInput::TakeNotes() {
    std::vector<MidiNoteOn> notes;
    const std::uint64_t written = written_.load(std::memory_order_acquire);
    std::uint64_t read = read_.load(std::memory_order_relaxed);
    for (; read < written; ++read) notes.push_back(ring_[read % ring_.size()]);
    read_.store(read, std::memory_order_release);
    return notes;
}

}  // namespace fretlux
