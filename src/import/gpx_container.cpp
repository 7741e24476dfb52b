// SPDX-License-Identifier: MIT
// Compression: a stream of bits, most significant first in each byte. A 0 bit starts a run of
// literal bytes (a count of 2 bits, least significant first); a 1 bit a copy of earlier output
// (a width of 4 bits, then offset back and length in that many bits, least significant first).
// The stream may end before the stated size is reached; what the file system needs is there.
// File system: sector 0 is the header; a sector whose first int is 2 describes a file: its name
// at byte 4, its size at byte 0x8C, and from byte 0x94 the numbers of the sectors holding it,
// ended by 0.
#include "import/gpx_container.h"

#include <algorithm>
#include <cstdint>

#include "import/imported_song.h"
#include "import/zip_archive.h"

namespace fretlux {

namespace {

constexpr size_t kSectorSize = 0x1000;

[[noreturn]] void Damaged(const std::string& problem) {
    throw ImportError("a Guitar Pro 6 file " + problem);
}

uint32_t IntAt(std::string_view bytes, size_t at) {
    if (at + 4 > bytes.size()) Damaged("whose file table ends early");
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data() + at);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

class BitReader {
public:
    explicit BitReader(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return position_ >= bytes_.size() * 8; }
    // A chunk that ran past the end: writers leave a few bits of padding there.
    bool Overrun() const { return overrun_; }

    int Bits(int count) {
        int value = 0;
        for (int i = 0; i < count; ++i) value = (value << 1) | Bit();
        return value;
    }
    int BitsLeastFirst(int count) {
        int value = 0;
        for (int i = 0; i < count; ++i) value |= Bit() << i;
        return value;
    }

private:
    int Bit() {
        if (AtEnd()) {
            overrun_ = true;
            return 0;
        }
        const int byte = static_cast<uint8_t>(bytes_[position_ / 8]);
        const int bit = (byte >> (7 - position_ % 8)) & 1;
        ++position_;
        return bit;
    }

    std::string_view bytes_;
    size_t position_ = 0;
    bool overrun_ = false;
};

std::string Decompress(std::string_view compressed) {
    const uint32_t expected = IntAt(compressed, 4);
    if (expected > kMaxInflatedBytes) Damaged("that unpacks past 64 MB");
    std::string out;
    out.reserve(std::min<size_t>(expected, compressed.size() * 16));
    BitReader in(compressed.substr(8));
    while (out.size() < expected && !in.AtEnd()) {
        if (in.Bits(1) == 1) {
            const int width = in.Bits(4);
            const size_t offset = static_cast<size_t>(in.BitsLeastFirst(width));
            const size_t length = static_cast<size_t>(in.BitsLeastFirst(width));
            if (in.Overrun()) break;
            if (offset == 0 || offset > out.size())
                Damaged("whose compressed data points outside itself");
            const size_t from = out.size() - offset;
            for (size_t i = 0; i < std::min(offset, length); ++i) out += out[from + i];
        } else {
            const int count = in.BitsLeastFirst(2);
            for (int i = 0; i < count; ++i) {
                const char byte = static_cast<char>(in.Bits(8));
                if (in.Overrun()) break;
                out += byte;
            }
        }
    }
    if (out.size() > expected) out.resize(expected);
    return out;
}

}  // namespace

std::optional<std::string> ReadGpxFile(std::string_view container, std::string_view name) {
    std::string unpacked;
    if (container.starts_with("BCFZ")) {
        unpacked = Decompress(container);
        container = unpacked;
    }
    if (!container.starts_with("BCFS")) Damaged("whose container is not a file system");
    const std::string_view system = container.substr(4);
    for (size_t sector = kSectorSize; sector + 3 < system.size(); sector += kSectorSize) {
        if (IntAt(system, sector) != 2) continue;
        const std::string_view entryName =
            system.substr(sector + 4, std::min<size_t>(127, system.size() - sector - 4));
        if (entryName.substr(0, entryName.find('\0')) != name) continue;
        const uint32_t size = IntAt(system, sector + 0x8C);
        if (size > kMaxInflatedBytes) Damaged("with a file larger than 64 MB");
        std::string file;
        for (size_t at = sector + 0x94; at + 4 <= sector + kSectorSize && file.size() < size;
             at += 4) {
            const uint32_t block = IntAt(system, at);
            if (block == 0) break;
            const size_t start = static_cast<size_t>(block) * kSectorSize;
            if (start >= system.size()) Damaged("whose file table points outside it");
            file.append(system.substr(start, kSectorSize));
        }
        if (file.size() < size) Damaged("with a file cut short");
        file.resize(size);
        return file;
    }
    return std::nullopt;
}

}  // namespace fretlux
