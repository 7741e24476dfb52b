// SPDX-License-Identifier: MIT
#include "ui/picture_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/button_pictures.h"
#include "ui/event_codes.h"

namespace fretlux {

PictureButton::PictureButton(const QString& name, HintedButton id, QWidget* parent)
    : QWidget(parent), id_(id) {
    setObjectName(name);
    setMouseTracking(true);
    // Reached with Tab; pressing a button with the mouse must not take the focus, so a key typed
    // next goes where it went before.
    setFocusPolicy(Qt::TabFocus);
    const QString hint = QString::fromStdString(HintOf(id));
    setToolTip(hint);
    setAccessibleName(hint);
    setFixedSize(kPictureSize, kPictureSize);
    ShowPicture(ReleasedSymbol(id), PressedSymbol(id), false);
}

void PictureButton::ShowPicture(const QString& released, const QString& pressed, bool isPressed) {
    if (released == releasedSymbol_ && pressed == pressedSymbol_ && isPressed == pressed_) return;
    releasedSymbol_ = released;
    pressedSymbol_ = pressed;
    pressed_ = isPressed;
    update();
}

QSize PictureButton::sizeHint() const { return {kPictureSize, kPictureSize}; }

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintButtonPicture(painter, QRectF(rect()), ShownSymbol(), pressed_);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

// Space and Enter work the button as a click in its middle does.
void PictureButton::keyPressEvent(QKeyEvent* event) {
    const bool activates = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                           event->key() == Qt::Key_Enter;
    if (!activates || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat()) return;
    const ButtonPoint middle{width() / 2.0, height() / 2.0, static_cast<double>(width()),
                             static_cast<double>(height())};
    if (onMouseDown) onMouseDown(ButtonBits(Qt::LeftButton));
    if (onMouseUp) onMouseUp(ButtonBits(Qt::LeftButton), middle);
}

void PictureButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PictureButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

ButtonPoint PictureButton::PointOf(const QMouseEvent& event) const {
    const QPointF at = event.position();
    return {at.x(), at.y(), static_cast<double>(width()), static_cast<double>(height())};
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (onMouseDown) onMouseDown(ButtonBits(event->button()));
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
    // Handled here: the window's background must not see it and put the TAB position back.
    event->accept();
    if (onMouseMove) onMouseMove(ButtonBits(event->buttons()), PointOf(*event));
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (onMouseUp) onMouseUp(ButtonBits(event->button()), PointOf(*event));
}

// Qt would otherwise take the second press of a double click for a new press. Only the left
// button double-clicks; with the others the second press is a press like the first.
void PictureButton::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
    } else if (onDoubleClick) {
        onDoubleClick();
    }
}

}  // namespace fretlux
