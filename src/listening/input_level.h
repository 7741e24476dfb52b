// SPDX-License-Identifier: MIT
// A take recorded quietly, with the microphone turned low or the guitar far from it, is heard as
// well as a loud one: the listener's thresholds (where silence ends, how faint a partial may be)
// hold for playing whose loudest moments reach -28 dB full scale or more, so a quieter take is
// brought up to that level before it is listened to.
#pragma once

#include "listening/wave_reader.h"

namespace fretlux {

// The gain that brings the loudest 20 ms of take up to the listening level: 1 when it is loud
// enough already or holds nothing louder than a silent room, and at most 30 dB, so that a room's
// noise does not become playing.
double ListeningGain(const MonoAudio& take);

// take, scaled by its listening gain.
MonoAudio AtListeningLevel(MonoAudio take);

}  // namespace fretlux
