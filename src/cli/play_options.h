// SPDX-License-Identifier: MIT
// The practice options of play, export and render: a count-in, the metronome, the beats, a
// speed, and a selection looped a number of times, with the speed trainer if asked.
#pragma once

#include <string>
#include <vector>

#include "playback/practice_settings.h"

namespace fretlux {

struct TakenPlayOptions {
    PlayOptions options;
    bool given = false;  // any practice option was given
    std::string error;   // what is wrong with them; empty when nothing is
};

// Takes every practice option, with its value, out of args, wherever it stands.
TakenPlayOptions TakePlayOptions(std::vector<std::string>& args);

}  // namespace fretlux
