// SPDX-License-Identifier: MIT
// Tempo as musicians read it: beats per minute, and a speed as a percentage of a TAB's own
// tempo. The play timer counts milliseconds per column; these turn one into the other.
#pragma once

namespace fretlux {

inline constexpr int kMinSpeedPercent = 25;
inline constexpr int kMaxSpeedPercent = 200;
inline constexpr int kFullSpeedPercent = 100;

// The milliseconds a column takes at percent of the speed at which it takes ownMs, rounded.
int ScaledColumnMs(int ownMs, int percent);

// 60000 / (msPerColumn x columnsPerBeat), rounded.
int BeatsPerMinute(int msPerColumn, int columnsPerBeat);

// How fast columns of msPerColumn play against ownMs, in percent, rounded.
int PercentOfTempo(int ownMs, int msPerColumn);

}  // namespace fretlux
