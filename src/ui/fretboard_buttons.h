// SPDX-License-Identifier: MIT
#pragma once

#include "ui/picture_button_row.h"

namespace fretlux {

// The row of buttons under the fretboard: finger numbers, playable and not playable, clear,
// paste to the TAB, play, and the two rotations.
class FretboardButtons : public PictureButtonRow {
    Q_OBJECT
public:
    FretboardButtons(FretluxForm& model, Runner run, QWidget* parent = nullptr);
};

}  // namespace fretlux
