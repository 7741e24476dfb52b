// SPDX-License-Identifier: MIT
// How Qt's events are told to the presentation model: mouse buttons and modifier keys as bit
// sets, typed keys as character codes, and the model's colours as QColor.
#pragma once

#include <QColor>
#include <QString>
#include <Qt>
#include <optional>

#include "app/control_models.h"

namespace fretlux {

// Left 1, right 2, middle 4; 0 when none.
int ButtonBits(Qt::MouseButtons buttons);
// Shift 1, Control 2, Alt 4.
int ShiftBits(Qt::KeyboardModifiers modifiers);
// The character code of the character a key press types (13 for Enter, 43 for "+"), or nothing
// for keys that type no character or one beyond Latin-1.
std::optional<int> TypedCharacterCode(const QString& text);
// The model's code of a key the TAB lines handle (kKeyLeft ...), or nothing for other keys.
std::optional<int> TabKeyCode(int qtKey);

// The model keeps red in the low byte.
QColor ToQColor(Colour colour);

}  // namespace fretlux
