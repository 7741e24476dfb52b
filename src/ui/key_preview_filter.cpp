// SPDX-License-Identifier: MIT
#include "ui/key_preview_filter.h"

#include <QApplication>
#include <QKeyEvent>

#include "ui/event_codes.h"

namespace fretlux {

namespace {

// The widget a key press is delivered to first. An ignored key press travels on to the parents,
// and the application's filters see it again at every step; only the first step counts.
QWidget* FirstReceiver(QWidget* window) {
    if (QWidget* grabber = QWidget::keyboardGrabber()) return grabber;
    if (QWidget* focus = QApplication::focusWidget()) return focus;
    return window;
}

}  // namespace

KeyPreviewFilter::KeyPreviewFilter(QWidget* window, std::function<bool()> enabled,
                                   std::function<void(int, int)> onKey, QObject* parent)
    : QObject(parent), window_(window), enabled_(std::move(enabled)), onKey_(std::move(onKey)) {}

bool KeyPreviewFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || window_ == nullptr) {
        return false;
    }
    auto* receiver = static_cast<QWidget*>(watched);
    if (receiver->window() != window_ || receiver != FirstReceiver(window_)) return false;
    if (enabled_ && !enabled_()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (const auto code = TypedCharacterCode(key->text()); code && onKey_) {
        onKey_(*code, ShiftBits(key->modifiers()));
    }
    return false;
}

}  // namespace fretlux
