// SPDX-License-Identifier: MIT
#pragma once

#include <QScrollBar>

#include "app/control_models.h"

namespace fretlux {

// A scroll bar showing a ScrollBarModel. A reversed bar shows its maximum at the left; it
// mirrors the value rather than using Qt's inverted appearance, whose arrow buttons would then
// move the box away from the arrow pressed.
class ScrollBarBinding {
public:
    ScrollBarBinding(QScrollBar& bar, ScrollBarModel& model, bool reversed = false)
        : bar_(bar), model_(model), reversed_(reversed) {}

    // Brings the bar to the model's range and value without emitting its signals.
    void Show();
    // The model's value for a value the bar reports.
    int ModelValue(int barValue) const;

    QScrollBar& Bar() const { return bar_; }
    ScrollBarModel& Model() const { return model_; }

private:
    QScrollBar& bar_;
    ScrollBarModel& model_;
    bool reversed_;
};

}  // namespace fretlux
