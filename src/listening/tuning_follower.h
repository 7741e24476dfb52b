// SPDX-License-Identifier: MIT
// The guitar's offset from concert pitch as live listening hears it, column by column: the median
// of the latest columns' offsets, so that a wrong note or a stray peak does not move it, and a
// guitar that drifts as it warms up is followed.
#pragma once

#include <deque>
#include <vector>

#include "listening/onset_sound.h"

namespace fretlux {

class TuningFollower {
public:
    // Hears the offset in the whole sound of an onset, against the notes expected there; an
    // early hearing is too short to measure.
    void Hear(const OnsetSound& sound, const std::vector<int>& expected);
    // In cents; 0 until a column has told it.
    double OffsetCents() const;

private:
    std::deque<double> latest_;
};

}  // namespace fretlux
