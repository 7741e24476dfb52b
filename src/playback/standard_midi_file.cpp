// SPDX-License-Identifier: MIT
#include "playback/standard_midi_file.h"

#include <algorithm>
#include <cstdint>

namespace fretlux {
namespace {

// The largest delta time a variable-length quantity of four bytes can hold.
constexpr std::int64_t kLongestDelta = 0x0FFFFFFF;

void AppendBigEndian(std::string& bytes, std::uint32_t value, int byteCount) {
    for (int shift = 8 * (byteCount - 1); shift >= 0; shift -= 8) {
        bytes += static_cast<char>((value >> shift) & 0xFF);
    }
}

// Seven bits per byte, most significant group first; every byte but the last has its top bit
// set.
void AppendVariableLength(std::string& bytes, std::uint32_t value) {
    char groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<char>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) bytes += static_cast<char>(groups[--count] | 0x80);
    bytes += groups[0];
}

void AppendMeta(std::string& bytes, int type, const std::string& data) {
    bytes += '\xFF';
    bytes += static_cast<char>(type);
    AppendVariableLength(bytes, static_cast<std::uint32_t>(data.size()));
    bytes += data;
}

// A pause too long for one delta time is split, with an empty text event at each split, so the
// following event still comes at its millisecond.
void AppendDelta(std::string& track, std::int64_t delta) {
    while (delta > kLongestDelta) {
        AppendVariableLength(track, static_cast<std::uint32_t>(kLongestDelta));
        AppendMeta(track, 0x01, "");
        delta -= kLongestDelta;
    }
    AppendVariableLength(track, static_cast<std::uint32_t>(delta));
}

int DataByteCount(int status) {
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

std::string TrackBytes(const std::vector<TimedMidiMessage>& events) {
    std::string track;
    std::string tempo;
    AppendBigEndian(tempo, kMidiFileMicrosecondsPerQuarter, 3);
    AppendVariableLength(track, 0);
    AppendMeta(track, 0x51, tempo);

    std::int64_t previous = 0;
    for (const TimedMidiMessage& event : events) {
        const int status = event.Status();
        if (status < 0x80 || status >= 0xF0) continue;
        const std::int64_t time = std::max(event.milliseconds, previous);
        AppendDelta(track, time - previous);
        previous = time;
        track += static_cast<char>(status);
        track += static_cast<char>(event.Data1() & 0x7F);
        if (DataByteCount(status) == 2) track += static_cast<char>(event.Data2() & 0x7F);
    }
    AppendVariableLength(track, 0);
    AppendMeta(track, 0x2F, "");
    return track;
}

}  // namespace

std::string StandardMidiFileBytes(const std::vector<TimedMidiMessage>& events) {
    const std::string track = TrackBytes(events);
    std::string bytes = "MThd";
    AppendBigEndian(bytes, 6, 4);
    AppendBigEndian(bytes, 0, 2);  // format 0: a single track
    AppendBigEndian(bytes, 1, 2);
    AppendBigEndian(bytes, kMidiFileTicksPerQuarter, 2);
    bytes += "MTrk";
    AppendBigEndian(bytes, static_cast<std::uint32_t>(track.size()), 4);
    bytes += track;
    return bytes;
}

}  // namespace fretlux
