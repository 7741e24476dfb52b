// SPDX-License-Identifier: MIT
// The speed trainer: a looped passage starts slow and speeds up step by step as it settles.
#pragma once

namespace fretlux {

struct SpeedTrainerSettings {
    int startPercent = 60;
    int stepPercent = 5;  // percentage points added after every passesPerStep passes
    int passesPerStep = 2;
    int endPercent = 100;

    friend bool operator==(const SpeedTrainerSettings&, const SpeedTrainerSettings&) = default;
};

// The speed of pass (1-based): min(end, start + floor((pass - 1) / passes per step) x step).
int TrainerPercent(const SpeedTrainerSettings& trainer, int pass);

}  // namespace fretlux
