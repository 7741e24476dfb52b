// SPDX-License-Identifier: MIT
#pragma once

#include "ui/picture_button_row.h"

namespace fretlux {

// The row above the fretboard: Start, Step Back, Step Forward and Stop; Cut, Copy and Paste of
// TAB columns; a bar line, Insert TAB and Delete TAB; Text to TAB; and the TAB text button,
// whose picture tells whether the shown TAB has a text.
class PlayerButtons : public PictureButtonRow {
    Q_OBJECT
public:
    PlayerButtons(FretluxForm& model, Runner run, QWidget* parent = nullptr);
};

}  // namespace fretlux
