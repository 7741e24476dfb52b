// SPDX-License-Identifier: MIT
// A TAB's header: a label of up to 80 characters, and once the TAB has been left, its tempo,
// volume and patch as three 3-digit fields in characters 81..89.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fretlux {

inline constexpr int kLabelLength = 80;

// The play timer's interval is the tempo bar's value times this many milliseconds.
inline constexpr int kTempoUnitMs = 3;

struct TabSettings {
    int tempo;
    int volume;
    int patch;

    friend bool operator==(const TabSettings&, const TabSettings&) = default;
};

// The header with the label cut or padded to 80 characters and the settings appended.
std::string StampHeader(std::string_view header, const TabSettings& settings);

// The settings a header carries: none when characters 81..83 read as 0 or as no number.
std::optional<TabSettings> ReadHeaderSettings(std::string_view header);

// The number a field of characters reads as: blanks are skipped, a sign and a fraction are
// allowed, anything else ends the number; no number reads as 0. Fractions round half to even.
int ReadNumber(std::string_view field);

}  // namespace fretlux
