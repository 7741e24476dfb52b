// SPDX-License-Identifier: MIT
// The piece the playing and exporting tests play: two TABs, the first at the start-up tempo (41,
// 123 ms a column) with a chord, a rest and a note; the second with tempo 100 (300 ms), volume 90
// and patch 30, one note after a rest. Written in the plain form, so the second TAB's settings
// are given in its header.
#pragma once

#include <string>

namespace fretlux::testing {

inline const std::string kLowLines = "G|---------|\nD|---------|\nA|---------|\nE|---------|\n";
inline const std::string kPiece = "Verse\ne|-0-3-----|\nB|-1-------|\n" + kLowLines + "\nChorus" +
                                  std::string(74, ' ') + "100 90 30\ne|---------|\nB|---5-----|\n" +
                                  kLowLines;

}  // namespace fretlux::testing
