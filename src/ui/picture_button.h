// SPDX-License-Identifier: MIT
#pragma once

#include <QToolButton>
#include <functional>

namespace fretlux {

// A tool button that looks pressed while any mouse button holds it down, reports the pointer
// moving over it (for the help line) and reports the press itself, for the commands that run
// on the press rather than on the click.
class PictureButton : public QToolButton {
    Q_OBJECT
public:
    explicit PictureButton(const QString& name, QWidget* parent = nullptr);

    std::function<void()> onHover;
    std::function<void()> onPress;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace fretlux
