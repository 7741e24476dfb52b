// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace fretlux {

// Where a window of the given size (its frame included) stands on the screen without covering
// `avoid`: below it, else above, else right of it, else left, each kept on the screen. When
// the screen has no such place, below it as far as the screen allows.
QPoint PlaceClearOf(const QRect& avoid, const QSize& size, const QRect& screen);

}  // namespace fretlux
