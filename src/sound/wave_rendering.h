// SPDX-License-Identifier: MIT
// Rendering the played messages into a WAVE file, the same for fretlux-cli render and for the
// window's Export WAVE: the soundfont ChooseSoundfont picks, the voices spread over every core.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "playback/timed_midi_message.h"
#include "playback/wave_file.h"
#include "sound/offline_render.h"
#include "sound/soundfont_synth.h"

namespace fretlux {

// The synthesiser to render with, or nothing with the reason in failure.
std::unique_ptr<SoundfontSynth> CreateRenderingSynth(std::string& failure);

// The bytes of the WAVE file fretlux-cli render writes for the events, made in memory for a
// writer that takes a file whole. stopRequested is asked before every block; once it answers
// true the rendering ends as cancelled.
RenderedWave RenderWaveBytes(const std::vector<TimedMidiMessage>& events,
                             const ProgressReport& progress,
                             const std::function<bool()>& stopRequested);

}  // namespace fretlux
