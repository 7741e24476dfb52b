// SPDX-License-Identifier: MIT
// A string line of a TAB is a run of 5-character cells: a display symbol, then two note slots of
// two letters each (fret letter, attribute letter), or spaces where a slot is empty.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fretlux {

inline constexpr int kCellWidth = 5;
inline constexpr int kThumb = 5;  // finger number of the thumb
// Every editing command cuts the lines it writes to the header cell and 78 columns.
inline constexpr int kEditedLineLength = 395;
// Only the header cell and 79 columns are ever cut into columns or shown.
inline constexpr int kShownLineLength = 400;

// The string letter of TAB line 1..6 (line 1 is the high E string).
inline constexpr std::string_view kStringLetters = "EBGDAE";

inline char FretLetter(int fret) { return static_cast<char>('A' + fret); }

inline char AttributeLetter(int finger, bool sounding) {
    return static_cast<char>('@' + finger + (sounding ? 8 : 0));
}

inline int CharCode(char ch) { return static_cast<unsigned char>(ch); }

// A cell holds a note when its first fret letter is "A" or later.
inline bool CellHoldsNote(std::string_view cell) {
    return cell.size() >= 2 && CharCode(cell[1]) >= 'A';
}

// Attribute letters above "G" mark a sounding note; at or below it a silent one.
inline bool AttributeSounds(char attribute) { return CharCode(attribute) > 'G'; }

struct SlotNote {
    int fret;
    int finger;  // 0 = none, 1..4 fingers, 5 = thumb
    bool sounding;
};

// The note of a two-letter slot, or nothing when the slot is empty.
std::optional<SlotNote> DecodeSlot(std::string_view slot);

// The header cell of a line: the string letter in upper case, then four hyphens.
std::string HeaderCell(char letter);

// Line l (1..6) of a blank TAB: the header cell, then 78 empty cells (395 characters).
std::string BlankStringLine(int line);

// Character 1 of every cell of a line, the header cell's letter first.
std::string DisplaySymbols(std::string_view line);

}  // namespace fretlux
