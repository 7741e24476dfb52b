// SPDX-License-Identifier: MIT
// ALSA writes its diagnostics straight to stderr. PortAudio's search of the sound cards makes it
// print dozens of lines (for cards the machine lacks, and outputs a card lacks), and a missing
// MIDI sequencer more. Fretlux says itself what is missing, so those lines are kept out of the
// terminal it was started from.
#pragma once

namespace fretlux {

// From the first call on, ALSA prints nothing.
void QuietAlsaDiagnostics();

// Whether ALSA's MIDI sequencer can be opened; RtMidi prints its own complaint when it cannot.
bool AlsaSequencerAvailable();

}  // namespace fretlux
