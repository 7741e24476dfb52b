// SPDX-License-Identifier: MIT
#include "platform/dialog_placement.h"

#include <algorithm>

namespace fretlux {

namespace {

QRect KeptOnScreen(QRect window, const QRect& screen) {
    window.moveLeft(std::clamp(window.left(), screen.left(),
                               std::max(screen.left(), screen.right() + 1 - window.width())));
    window.moveTop(std::clamp(window.top(), screen.top(),
                              std::max(screen.top(), screen.bottom() + 1 - window.height())));
    return window;
}

}  // namespace

QPoint PlaceClearOf(const QRect& avoid, const QSize& size, const QRect& screen) {
    const int centredX = avoid.center().x() - size.width() / 2;
    const int centredY = avoid.center().y() - size.height() / 2;
    const QPoint candidates[] = {
        {centredX, avoid.bottom() + 1},
        {centredX, avoid.top() - size.height()},
        {avoid.right() + 1, centredY},
        {avoid.left() - size.width(), centredY},
    };
    for (const QPoint& corner : candidates) {
        const QRect placed = KeptOnScreen(QRect(corner, size), screen);
        if (!placed.intersects(avoid)) return placed.topLeft();
    }
    return KeptOnScreen(QRect(candidates[0], size), screen).topLeft();
}

}  // namespace fretlux
