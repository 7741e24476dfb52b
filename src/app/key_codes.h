// SPDX-License-Identifier: MIT
// The keys the TAB lines handle, with the codes the window's key-down events give them, and the
// bits of the Shift and Ctrl keys held with them (Alt is 4).
#pragma once

namespace fretlux {

inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kKeyEnd = 35;
inline constexpr int kKeyHome = 36;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDelete = 46;
inline constexpr int kKeyC = 67;
inline constexpr int kKeyV = 86;
inline constexpr int kKeyX = 88;

inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;

}  // namespace fretlux
