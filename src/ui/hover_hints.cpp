// SPDX-License-Identifier: MIT
#include "ui/hover_hints.h"

#include <QMouseEvent>
#include <QWidget>

namespace fretlux {

void HoverHints::Add(QWidget& widget, std::function<void()> showHint) {
    widget.setMouseTracking(true);
    widget.installEventFilter(this);
    hints_[&widget] = std::move(showHint);
}

bool HoverHints::eventFilter(QObject* watched, QEvent* event) {
    const auto hint = hints_.find(watched);
    if (hint == hints_.end()) return false;
    if (event->type() == QEvent::Enter) {
        hint->second();
    } else if (event->type() == QEvent::MouseMove &&
               static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) {
        hint->second();
        return true;
    }
    return false;
}

}  // namespace fretlux
