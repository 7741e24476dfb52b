// SPDX-License-Identifier: MIT
#include "playback/tempo_scale.h"

#include "document/rounding.h"

namespace fretlux {

int ScaledColumnMs(int ownMs, int percent) { return RoundHalfEven(ownMs * 100.0 / percent); }

int BeatsPerMinute(int msPerColumn, int columnsPerBeat) {
    return RoundHalfEven(60000.0 / (static_cast<double>(msPerColumn) * columnsPerBeat));
}

int PercentOfTempo(int ownMs, int msPerColumn) {
    return RoundHalfEven(ownMs * 100.0 / msPerColumn);
}

}  // namespace fretlux
