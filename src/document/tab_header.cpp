// SPDX-License-Identifier: MIT
#include "document/tab_header.h"

#include "document/rounding.h"
#include "document/strings.h"

namespace fretlux {

namespace {

std::string ThreeDigits(int value) { return Right("00" + std::to_string(value), 3); }

}  // namespace

std::string StampHeader(std::string_view header, const TabSettings& settings) {
    return PadRight(Left(header, kLabelLength), kLabelLength) + ThreeDigits(settings.tempo) +
           ThreeDigits(settings.volume) + ThreeDigits(settings.patch);
}

std::optional<TabSettings> ReadHeaderSettings(std::string_view header) {
    const int tempo = ReadNumber(Mid(header, 81, 3));
    if (tempo <= 0) return std::nullopt;
    return TabSettings{tempo, ReadNumber(Mid(header, 84, 3)), ReadNumber(Mid(header, 87, 3))};
}

int ReadNumber(std::string_view field) {
    double value = 0;
    double sign = 1;
    double scale = 0;  // 0 while reading the whole part, then the weight of the next decimal
    bool signAllowed = true;
    for (const char ch : field) {
        if (ch == ' ' || ch == '\t') continue;
        if (signAllowed && (ch == '-' || ch == '+')) {
            sign = ch == '-' ? -1 : 1;
        } else if (IsDigit(ch)) {
            if (scale == 0) {
                value = value * 10 + (ch - '0');
            } else {
                value += (ch - '0') * scale;
                scale /= 10;
            }
        } else if (ch == '.' && scale == 0) {
            scale = 0.1;
        } else {
            break;
        }
        signAllowed = false;
    }
    return RoundHalfEven(sign * value);
}

}  // namespace fretlux
