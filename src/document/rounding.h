// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>

namespace fretlux {

// Nearest integer, halves to the even neighbour: 0.5 -> 0, 1.5 -> 2, -2.5 -> -2.
inline int RoundHalfEven(double x) {
    const double nearest = std::round(x);
    if (std::fabs(x - std::trunc(x)) == 0.5) return static_cast<int>(2.0 * std::round(x / 2.0));
    return static_cast<int>(nearest);
}

}  // namespace fretlux
