// SPDX-License-Identifier: MIT
// Little-endian reading of a file held in memory, where every read past the end is an
// ImportError naming what was being read, so that no length or count in a file can lead the
// reader outside it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "import/imported_song.h"

namespace fretlux {

class ByteReader {
public:
    ByteReader(std::string_view bytes, std::string formatName);

    int Byte();
    int SignedByte();
    int Short();
    int Int();
    bool Bool() { return Byte() != 0; }
    void Skip(size_t count);
    // A count read from the file that promises at least minimumBytes bytes per item.
    int Count(int minimumBytesEach);

    // A string of one length byte and then `size` bytes of room.
    std::string ByteSizeString(size_t size);
    // An int giving the room, then a length byte and the characters.
    std::string IntByteSizeString();
    // An int giving the length, then the characters.
    std::string IntSizeString();

    size_t Remaining() const { return bytes_.size() - position_; }
    // Where the reader is, for messages: "a Guitar Pro 5 file that ends in the middle of bar 12".
    void SetPlace(std::string place) { place_ = std::move(place); }
    [[noreturn]] void Fail(std::string_view problem) const;

private:
    const uint8_t* Take(size_t count);

    std::string_view bytes_;
    size_t position_ = 0;
    std::string formatName_;
    std::string place_;
};

}  // namespace fretlux
