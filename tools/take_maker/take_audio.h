// SPDX-License-Identifier: MIT
// The sound of a take: rendered through Fretlux's own synthesiser with a soundfont of the take's
// choosing, or made by hand, with room noise on top, and written as a 16-bit stereo WAVE file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "playback/timed_midi_message.h"

namespace fretlux::takes {

struct TakeAudio {
    int sampleRate = 44100;
    std::vector<float> left;
    std::vector<float> right;
};

// The events rendered with the soundfont at soundfontPath, as fretlux-cli render renders them,
// on a guitar whose every string is detuneCents off concert pitch (flat when negative) with its
// notes at their times; nothing, with the reason in failure, when the synthesiser cannot be made.
std::optional<TakeAudio> RenderEvents(const std::vector<TimedMidiMessage>& events,
                                      const std::string& soundfontPath, std::string& failure,
                                      double detuneCents = 0);

// The level of the playing: the RMS over the 50 ms blocks in which something sounds (within
// 40 dB of the loudest block), so that rests do not lower it.
double PlayingLevel(const TakeAudio& audio);

// Adds the hiss and rumble of a room, the same on both channels as from one microphone, with an
// RMS decibelsBelow under PlayingLevel.
void AddRoomNoise(TakeAudio& audio, double decibelsBelow, std::uint64_t seed);

// Writes the take through Fretlux's WAVE writer; the reason in failure when it cannot.
bool WriteTake(const std::string& path, const TakeAudio& audio, std::string& failure);

}  // namespace fretlux::takes
