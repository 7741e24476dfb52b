// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace fretlux {

// A tuner's dial: a scale from -50 to +50 cents and a needle, green when in tune.
class TunerNeedle final : public QWidget {
public:
    explicit TunerNeedle(QWidget* parent);

    void Show(bool hasPitch, double cents, bool inTune);
    double Cents() const { return cents_; }
    bool InTune() const { return inTune_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool hasPitch_ = false;
    double cents_ = 0.0;
    bool inTune_ = false;
};

}  // namespace fretlux
