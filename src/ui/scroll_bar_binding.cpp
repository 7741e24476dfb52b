// SPDX-License-Identifier: MIT
#include "ui/scroll_bar_binding.h"

#include <QSignalBlocker>

namespace fretlux {

int ScrollBarBinding::ModelValue(int barValue) const {
    return reversed_ ? model_.Min() + model_.Max() - barValue : barValue;
}

void ScrollBarBinding::Show() {
    const int barValue = ModelValue(model_.Value());
    if (bar_.minimum() == model_.Min() && bar_.maximum() == model_.Max() &&
        bar_.value() == barValue) {
        return;
    }
    const QSignalBlocker blocker(bar_);
    bar_.setRange(model_.Min(), model_.Max());
    bar_.setValue(barValue);
}

}  // namespace fretlux
