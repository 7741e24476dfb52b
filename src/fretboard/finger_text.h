// SPDX-License-Identifier: MIT
// Finger texts as the fretboard shows them: "" for none, a numeral for a finger, "T" for the
// thumb, which the cell encoding stores as finger 5.
#pragma once

#include <string>
#include <string_view>

namespace fretlux {

inline constexpr std::string_view kThumbText = "T";

// The number a finger text stands for: the thumb is 5, anything else reads its leading digits,
// so that "" counts as 0.
int FingerNumber(std::string_view text);

// The text of finger number 0..: "" for none or less, "T" for the thumb, else the numeral.
std::string FingerText(int finger);

// One step of a press on a playable mark: "" -> "1" -> ... -> "4" -> "T", and "T" stays.
std::string AdvancedFinger(std::string_view text);

}  // namespace fretlux
