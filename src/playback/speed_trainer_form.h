// SPDX-License-Identifier: MIT
// The Speed Trainer window as a presentation model: whether the trainer runs, its four numbers,
// a line that says where they lead, OK and Cancel.
#pragma once

#include <optional>
#include <string>

#include "playback/speed_trainer.h"

namespace fretlux {

inline constexpr const char* kSpeedTrainerCaption = "Speed Trainer";
inline constexpr int kMaxTrainerStepPercent = 50;
inline constexpr int kMaxTrainerPassesPerStep = 20;

struct SpeedTrainerChoice {
    bool on = false;
    SpeedTrainerSettings settings;

    friend bool operator==(const SpeedTrainerChoice&, const SpeedTrainerChoice&) = default;
};

class SpeedTrainerForm {
public:
    explicit SpeedTrainerForm(const SpeedTrainerChoice& current);

    // The check box and the four boxes, as the window shows them.
    bool on;
    SpeedTrainerSettings settings;

    // OK stays off while the end is below the start.
    bool CanAccept() const;
    // The line under the boxes.
    std::string Summary() const;
    void Accept();
    // The choice OK made; nothing when the window was cancelled or closed otherwise.
    const std::optional<SpeedTrainerChoice>& Result() const { return result_; }

private:
    std::optional<SpeedTrainerChoice> result_;
};

}  // namespace fretlux
