// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "playback/speed_trainer_form.h"

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QSpinBox;

namespace fretlux {

// The "Speed Trainer" window over its model: a check box that turns the trainer on, the start
// and end speeds, the step and the passes at each step, a line saying where they lead, OK and
// Cancel.
class SpeedTrainerDialog final : public QDialog {
public:
    SpeedTrainerDialog(SpeedTrainerForm& form, QWidget* parent);

private:
    void ReadBoxes();
    void ShowModel();

    SpeedTrainerForm& form_;
    QCheckBox* on_ = nullptr;
    QSpinBox* start_ = nullptr;
    QSpinBox* step_ = nullptr;
    QSpinBox* passes_ = nullptr;
    QSpinBox* end_ = nullptr;
    QLabel* summary_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace fretlux
