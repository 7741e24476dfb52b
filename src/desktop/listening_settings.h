// SPDX-License-Identifier: MIT
// What listening remembers between runs, in the program's settings: the input chosen in
// Settings > Input, and the best play-along scores.
#pragma once

#include "input/input_choice.h"
#include "playalong/best_scores.h"

namespace fretlux {

InputChoice LoadInputChoice();
void SaveInputChoice(const InputChoice& choice);

BestScores LoadBestScores();
void SaveBestScores(const BestScores& scores);

}  // namespace fretlux
