// SPDX-License-Identifier: MIT
// The played events as a Standard MIDI File, so that any sequencer can open what the player
// would send.
#pragma once

#include <string>
#include <vector>

#include "playback/timed_midi_message.h"

namespace fretlux {

// One tick of the files written here is one millisecond: the tempo is 500000 microseconds per
// quarter note and the division 500 ticks per quarter note.
inline constexpr int kMidiFileTicksPerQuarter = 500;
inline constexpr int kMidiFileMicrosecondsPerQuarter = 500000;

// A format 0 file with one track holding the events in the order given. Each message is written
// with as many data bytes as its status takes; messages that are not channel messages (status
// below 0x80 or from 0xF0 on) would read as something else in a file and are left out. A time
// before the previous event's, or before 0, is written as no delay.
std::string StandardMidiFileBytes(const std::vector<TimedMidiMessage>& events);

}  // namespace fretlux
