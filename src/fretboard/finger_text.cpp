// SPDX-License-Identifier: MIT
#include "fretboard/finger_text.h"

#include "document/strings.h"
#include "document/tab_cell.h"

namespace fretlux {

namespace {

// The value of the leading digits, as a numeral read from the start of a text.
int LeadingNumber(std::string_view text) {
    int value = 0;
    for (char ch : text) {
        if (!IsDigit(ch)) break;
        value = value * 10 + (ch - '0');
    }
    return value;
}

}  // namespace

int FingerNumber(std::string_view text) {
    return text == kThumbText ? kThumb : LeadingNumber(text);
}

std::string FingerText(int finger) {
    if (finger <= 0) return {};
    if (finger == kThumb) return std::string(kThumbText);
    return std::to_string(finger);
}

std::string AdvancedFinger(std::string_view text) {
    if (text == kThumbText) return std::string(text);
    // A finger shown from a hand-edited cell can be above 5; it counts on without turning to
    // the thumb.
    return FingerText(LeadingNumber(text) + 1);
}

}  // namespace fretlux
