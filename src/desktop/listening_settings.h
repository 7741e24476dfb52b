// SPDX-License-Identifier: MIT
// What listening remembers between runs, in the program's settings: the input chosen in
// Settings > Input, and the best play-along scores.
#pragma once

#include <string>

#include "input/input_choice.h"

namespace fretlux {

InputChoice LoadInputChoice();
void SaveInputChoice(const InputChoice& choice);

// As BestScores writes them.
std::string LoadBestScoresText();
void SaveBestScoresText(const std::string& text);

}  // namespace fretlux
