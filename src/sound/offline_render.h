// SPDX-License-Identifier: MIT
// Plays timed MIDI messages through the built-in synthesiser as fast as it can render, rather
// than as the clock runs, handing the sound on block by block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "playback/timed_midi_message.h"
#include "sound/soundfont_synth.h"

namespace fretlux {

// Receives each rendered block, left and right of the same size; false stops the rendering.
using FrameSink = std::function<bool(std::span<const float> left, std::span<const float> right)>;
// Receives the fraction of the frames rendered so far, from 0 to 1.
using ProgressReport = std::function<void(double fraction)>;

struct OfflineRenderOptions {
    // Sound after the last event, so that the last notes ring out.
    std::int64_t tailMilliseconds = 2000;
    // Frames per call into the synthesiser; large blocks keep the cost per call small.
    std::size_t blockFrames = 4096;
};

// The frame at which a message sent at milliseconds sounds: milliseconds x rate / 1000, to the
// nearest frame with halves to the even one. Times before 0 are at frame 0.
std::int64_t FrameAtMillisecond(std::int64_t milliseconds, std::int64_t sampleRate);

// The frames rendered for events: up to the last event's time plus the tail.
std::int64_t RenderedFrameCount(const std::vector<TimedMidiMessage>& events,
                                std::int64_t sampleRate, const OfflineRenderOptions& options);

// Sends each event to synth at its frame and renders RenderedFrameCount frames into sink.
// progress, when given, hears 0 first, 1 last, and in between only after at least another 1%.
// False with the reason in failure when the synthesiser fails or the sink stops the rendering.
bool RenderOffline(SoundfontSynth& synth, const std::vector<TimedMidiMessage>& events,
                   const FrameSink& sink, const ProgressReport& progress, std::string& failure,
                   const OfflineRenderOptions& options = {});

}  // namespace fretlux
