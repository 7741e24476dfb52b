// SPDX-License-Identifier: MIT
#include "playback/speed_trainer.h"

#include <algorithm>

namespace fretlux {

int TrainerPercent(const SpeedTrainerSettings& trainer, int pass) {
    const int steps = (std::max(pass, 1) - 1) / std::max(trainer.passesPerStep, 1);
    // Long past the end percentage the sum must not overflow.
    const long long percent =
        trainer.startPercent + static_cast<long long>(steps) * trainer.stepPercent;
    return static_cast<int>(std::min<long long>(trainer.endPercent, percent));
}

}  // namespace fretlux
