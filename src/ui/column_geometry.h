// SPDX-License-Identifier: MIT
#pragma once

namespace fretlux {

// Converts between pixels of the TAB lines and the model's column units, in which one character
// of the TAB font is modelCharWidth wide. Both measure from originPx, the left edge of a line's
// first character (its string letter).
struct ColumnGeometry {
    double originPx = 0;
    double charWidthPx = 1;
    int modelCharWidth = 105;

    double ToModelX(double pixelX) const {
        return (pixelX - originPx) * modelCharWidth / charWidthPx;
    }
    double ToPixelX(double modelX) const {
        return originPx + modelX * charWidthPx / modelCharWidth;
    }
};

}  // namespace fretlux
