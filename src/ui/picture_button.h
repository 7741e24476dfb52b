// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>

#include "app/fretlux_form.h"

namespace fretlux {

// One picture button of the window. It shows the picture the model chose, released or pressed,
// and tells the model of every press, release, move and double click on it, with the pointer in
// its own coordinates; what they mean is the model's to decide.
class PictureButton : public QWidget {
    Q_OBJECT
public:
    PictureButton(const QString& name, HintedButton id, QWidget* parent = nullptr);

    HintedButton Id() const { return id_; }
    // The symbols shown released and pressed, and which of the two shows.
    void ShowPicture(const QString& released, const QString& pressed, bool isPressed);
    bool ShowsPressed() const { return pressed_; }
    const QString& ShownSymbol() const { return pressed_ ? pressedSymbol_ : releasedSymbol_; }

    QSize sizeHint() const override;

    std::function<void(int button)> onMouseDown;
    std::function<void(int buttons, const ButtonPoint& point)> onMouseMove;
    std::function<void(int button, const ButtonPoint& point)> onMouseUp;
    // The second press of a double click with the left button.
    std::function<void()> onDoubleClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    ButtonPoint PointOf(const QMouseEvent& event) const;

    HintedButton id_;
    QString releasedSymbol_;
    QString pressedSymbol_;
    bool pressed_ = false;
};

}  // namespace fretlux
