// SPDX-License-Identifier: MIT
#include "ui/event_codes.h"

#include "app/key_codes.h"

namespace fretlux {

int ButtonBits(Qt::MouseButtons buttons) {
    int bits = 0;
    if (buttons & Qt::LeftButton) bits |= 1;
    if (buttons & Qt::RightButton) bits |= 2;
    if (buttons & Qt::MiddleButton) bits |= 4;
    return bits;
}

int ShiftBits(Qt::KeyboardModifiers modifiers) {
    int bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= 1;
    if (modifiers & Qt::ControlModifier) bits |= 2;
    if (modifiers & Qt::AltModifier) bits |= 4;
    return bits;
}

std::optional<int> TypedCharacterCode(const QString& text) {
    if (text.isEmpty() || text.front().unicode() > 0xFF) return std::nullopt;
    return text.front().unicode();
}

std::optional<int> TabKeyCode(int qtKey) {
    switch (qtKey) {
        case Qt::Key_PageUp:
            return kKeyPageUp;
        case Qt::Key_PageDown:
            return kKeyPageDown;
        case Qt::Key_End:
            return kKeyEnd;
        case Qt::Key_Home:
            return kKeyHome;
        case Qt::Key_Left:
            return kKeyLeft;
        case Qt::Key_Right:
            return kKeyRight;
        case Qt::Key_Delete:
            return kKeyDelete;
        case Qt::Key_C:
            return kKeyC;
        case Qt::Key_V:
            return kKeyV;
        case Qt::Key_X:
            return kKeyX;
        default:
            return std::nullopt;
    }
}

QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

}  // namespace fretlux
