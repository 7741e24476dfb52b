// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace fretlux {

// Shows every key typed into a window to the window's own key handling before the widget with
// the focus gets it, and never consumes it. Installed on the application, because a key press
// goes straight to the focused child and only reaches the window if the child ignores it.
class KeyPreviewFilter : public QObject {
    Q_OBJECT
public:
    // onKey receives the typed character's code and the Shift/Control/Alt bits; enabled says
    // whether the window wants keys now.
    KeyPreviewFilter(QWidget* window, std::function<bool()> enabled,
                     std::function<void(int, int)> onKey, QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    std::function<bool()> enabled_;
    std::function<void(int, int)> onKey_;
};

}  // namespace fretlux
