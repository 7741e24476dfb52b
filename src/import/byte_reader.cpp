// SPDX-License-Identifier: MIT
#include "import/byte_reader.h"

#include <algorithm>

namespace fretlux {

ByteReader::ByteReader(std::string_view bytes, std::string formatName)
    : bytes_(bytes), formatName_(std::move(formatName)), place_("the song header") {}

void ByteReader::Fail(std::string_view problem) const {
    throw ImportError("a " + formatName_ + " file " + std::string(problem) + " " + place_);
}

const uint8_t* ByteReader::Take(size_t count) {
    if (count > Remaining()) Fail("that ends in the middle of");
    const auto* start = reinterpret_cast<const uint8_t*>(bytes_.data() + position_);
    position_ += count;
    return start;
}

int ByteReader::Byte() { return *Take(1); }

int ByteReader::SignedByte() { return static_cast<int8_t>(*Take(1)); }

int ByteReader::Short() {
    const uint8_t* p = Take(2);
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}

int ByteReader::Int() {
    const uint8_t* p = Take(4);
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) |
                                (static_cast<uint32_t>(p[3]) << 24));
}

void ByteReader::Skip(size_t count) { Take(count); }

int ByteReader::Count(int minimumBytesEach) {
    const int count = Int();
    if (count < 0 ||
        static_cast<size_t>(count) * static_cast<size_t>(minimumBytesEach) > Remaining()) {
        Fail("with a count of " + std::to_string(count) + " that does not fit into it in");
    }
    return count;
}

std::string ByteReader::ByteSizeString(size_t size) {
    const size_t length = std::min<size_t>(Byte(), size);
    const auto* text = reinterpret_cast<const char*>(Take(size));
    return std::string(text, length);
}

std::string ByteReader::IntByteSizeString() {
    const int room = Int();
    if (room <= 0) return {};
    if (static_cast<size_t>(room) > Remaining()) Fail("that ends in the middle of");
    const size_t length = std::min<size_t>(Byte(), static_cast<size_t>(room - 1));
    const auto* text = reinterpret_cast<const char*>(Take(static_cast<size_t>(room - 1)));
    return std::string(text, length);
}

std::string ByteReader::IntSizeString() {
    const int length = Int();
    if (length <= 0) return {};
    if (static_cast<size_t>(length) > Remaining()) Fail("that ends in the middle of");
    const auto* text = reinterpret_cast<const char*>(Take(static_cast<size_t>(length)));
    return std::string(text, static_cast<size_t>(length));
}

}  // namespace fretlux
