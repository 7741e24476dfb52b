// SPDX-License-Identifier: MIT
// Pitches as the tuner reports them: the nearest MIDI note, the cents from it, and the open
// string of standard tuning that lies nearest.
#pragma once

namespace fretlux {

double FrequencyOfNote(double midiNote);
// The MIDI note number of a frequency, fractional: 69 is 440 Hz.
double NoteOfFrequency(double hertz);

struct NearestNote {
    int midi = 0;
    double cents = 0.0;  // how far the frequency lies above (positive) or below the note
};

NearestNote NearestNoteOf(double hertz);

// The open string of standard tuning (E2 A2 D3 G3 B3 E4) nearest to midiNote, numbered as
// guitarists number them: 6 is the low E string, 1 the high one; on a tie, the lower string.
int NearestOpenString(double midiNote);

}  // namespace fretlux
