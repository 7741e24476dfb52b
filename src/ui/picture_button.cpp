// SPDX-License-Identifier: MIT
#include "ui/picture_button.h"

#include <QMouseEvent>

namespace fretlux {

PictureButton::PictureButton(const QString& name, QWidget* parent) : QToolButton(parent) {
    setObjectName(name);
    setMouseTracking(true);
    setAutoRaise(false);
    // Pressing a button must not take the focus, so a key typed next goes where it went before.
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QToolButton::mousePressEvent(event);
    } else {
        // Qt's buttons ignore the other buttons; these still look pressed while held.
        setDown(true);
        event->accept();
    }
    if (onPress) onPress();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QToolButton::mouseReleaseEvent(event);
        return;
    }
    setDown(false);
    event->accept();
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
    QToolButton::mouseMoveEvent(event);
    if (onHover) onHover();
    // Handled here: the window's background must not see it and put the TAB position back.
    event->accept();
}

}  // namespace fretlux
