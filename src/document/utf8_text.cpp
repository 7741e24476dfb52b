// SPDX-License-Identifier: MIT
#include "document/utf8_text.h"

namespace fretlux {

namespace {

unsigned char ByteAt(std::string_view bytes, size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

// The number of continuation bytes a lead byte announces, or -1 when it cannot start a sequence.
// low and high bound the first continuation byte, which rules out overlong forms, surrogates and
// code points above U+10FFFF.
int SequenceTail(unsigned char lead, unsigned char& low, unsigned char& high) {
    low = 0x80;
    high = 0xBF;
    if (lead < 0x80) return 0;
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
        return 2;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
        return 3;
    }
    return -1;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        unsigned char low = 0;
        unsigned char high = 0;
        const int tail = SequenceTail(ByteAt(bytes, i), low, high);
        if (tail < 0 || bytes.size() - i - 1 < static_cast<size_t>(tail)) return false;
        for (int k = 1; k <= tail; ++k) {
            const unsigned char next = ByteAt(bytes, i + k);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return false;
        }
        i += static_cast<size_t>(tail) + 1;
    }
    return true;
}

std::string BytesAsUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Latin1AsUtf8(bytes);
}

std::string Latin1AsUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char byte = ByteAt(bytes, i);
        if (byte < 0x80) {
            text += static_cast<char>(byte);
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

}  // namespace fretlux
