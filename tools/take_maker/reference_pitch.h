// SPDX-License-Identifier: MIT
// The pitch a note really has, measured slowly and carefully for a take's truth: a soundfont's
// samples are not all in tune, and a tuner is to be judged on what sounds, not on what was asked.
#pragma once

#include <cstdint>

#include "take_audio.h"

namespace fretlux::takes {

// The frequency of MIDI note midi raised by cents, A4 at 440 Hz.
double NoteFrequency(int midi, double cents);

// How far, in cents, the first partial of the note sounding from fromMs to toMs lies from MIDI
// note midi: the peak of the spectrum of that stretch (mono, Hann window) within 60 cents of the
// note, found to a hundredth of a cent. The stretch should hold one steady note for a second.
double ReferenceCents(const TakeAudio& audio, std::int64_t fromMs, std::int64_t toMs, int midi);

}  // namespace fretlux::takes
