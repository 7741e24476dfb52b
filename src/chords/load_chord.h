// SPDX-License-Identifier: MIT
// LoadChord's reading of a chord file. A block is a run of six records holding "--" (records of
// four characters or fewer may stand between them, any other record breaks the run); block b
// holds type 2b in its left half and 2b + 1 in its right half, three variations of 13 cells
// each. The chord's note content on each string is the four characters from position 5c + 7 of
// the block's records, c = 13 x variation + 5 + 39 x half; record k belongs to string 7 - k.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace fretlux {

// Slots 1..6 by string number, slot 1 the low E string; slot 0 is unused.
using ChordSlots = std::array<std::string, 7>;

struct ChordLoad {
    // The chord, once its block was read; nothing when the file has no such block.
    std::optional<ChordSlots> slots;
    // The description of a failure to open or read the file.
    std::optional<std::string> error;
};

// The record position of the chord's four characters (1-based).
int ChordStart(int type, int variation);

// Reads the file at path, up to the block of the chord of the given type number and variation
// (0..2), within the document reader's limits on lines.
ChordLoad LoadChordFile(const std::string& path, int type, int variation);

}  // namespace fretlux
