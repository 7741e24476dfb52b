// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "input/input_choice.h"
#include "playalong/tuner_form.h"

class QLabel;

namespace fretlux {

class LiveListener;
class TunerNeedle;

// The "Tuner" window: listens while it is open and shows each reading of its model, the
// nearest string, the note and the needle. Without an input it says so.
class TunerDialog final : public QDialog {
public:
    TunerDialog(const InputChoice& input, QWidget* parent);
    ~TunerDialog() override;

private:
    void ShowReading(const TunerReading& reading);

    std::unique_ptr<TunerForm> form_;
    LiveListener* listener_ = nullptr;
    QLabel* string_ = nullptr;
    QLabel* note_ = nullptr;
    QLabel* cents_ = nullptr;
    TunerNeedle* needle_ = nullptr;
};

}  // namespace fretlux
