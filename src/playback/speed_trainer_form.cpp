// SPDX-License-Identifier: MIT
#include "playback/speed_trainer_form.h"

namespace fretlux {

SpeedTrainerForm::SpeedTrainerForm(const SpeedTrainerChoice& current)
    : on(current.on), settings(current.settings) {}

bool SpeedTrainerForm::CanAccept() const {
    return !on || settings.endPercent >= settings.startPercent;
}

std::string SpeedTrainerForm::Summary() const {
    if (!on) return "Looped selections play at the chosen speed.";
    const int start = settings.startPercent;
    const int end = settings.endPercent;
    if (end < start) return "The end speed must not be below the start speed.";
    if (end == start || settings.stepPercent == 0) {
        return "Every pass plays at " + std::to_string(start) + " %.";
    }
    const int steps = (end - start + settings.stepPercent - 1) / settings.stepPercent;
    const int lastPassBelowEnd = steps * settings.passesPerStep;
    return "From " + std::to_string(start) + " % to " + std::to_string(end) + " % at pass " +
           std::to_string(lastPassBelowEnd + 1) + ", then on at " + std::to_string(end) + " %.";
}

void SpeedTrainerForm::Accept() {
    if (CanAccept()) result_ = SpeedTrainerChoice{on, settings};
}

}  // namespace fretlux
