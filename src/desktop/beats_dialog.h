// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "playback/beats_form.h"

class QCheckBox;
class QSpinBox;

namespace fretlux {

// The "Beats" window over its model: beats per bar, a check box that fixes the columns per beat,
// the columns per beat (the shown TAB's measured number while not fixed), OK and Cancel.
class BeatsDialog final : public QDialog {
public:
    BeatsDialog(BeatsForm& form, QWidget* parent);

private:
    void ShowModel();

    BeatsForm& form_;
    QSpinBox* beats_ = nullptr;
    QCheckBox* fixed_ = nullptr;
    QSpinBox* columns_ = nullptr;
};

}  // namespace fretlux
