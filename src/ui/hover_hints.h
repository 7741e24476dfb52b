// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>
#include <unordered_map>

class QWidget;

namespace fretlux {

// Shows a control's hint while the pointer is over it. The moves it sees there end with it, so
// the window's background, which shows the TAB position, never takes the hint away.
class HoverHints : public QObject {
    Q_OBJECT
public:
    explicit HoverHints(QObject* parent = nullptr) : QObject(parent) {}

    void Add(QWidget& widget, std::function<void()> showHint);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unordered_map<QObject*, std::function<void()>> hints_;
};

}  // namespace fretlux
