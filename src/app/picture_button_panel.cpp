// SPDX-License-Identifier: MIT
#include "app/picture_button_panel.h"

namespace fretlux {

namespace {

// A double click of these is a second command by design: two steps, or the second Stop that
// silences every note.
bool RunsAgainOnDoubleClick(HintedButton button) {
    return button == HintedButton::imgBack || button == HintedButton::imgStep ||
           button == HintedButton::imgStop;
}

}  // namespace

void PictureButtonPanel::Press(HintedButton button, int mouseButton) {
    StateOf(button).MouseDown(mouseButton);
    actions_.press(button);
}

// The text button's own mouse handlers show the written page when there is no TAB at all.
void PictureButtonPanel::MoveOver(HintedButton button, int mouseButtons, const ButtonPoint& point) {
    actions_.hint(button);
    PictureButtonState& state = StateOf(button);
    state.MouseMove(mouseButtons, point);
    if (button == HintedButton::imgEdit && mouseButtons == kLeftButton && !state.Pressed()) {
        actions_.showReleasedEditPicture();
    }
}

bool PictureButtonPanel::Release(HintedButton button, int mouseButton, const ButtonPoint& point) {
    const bool click = StateOf(button).MouseUp(mouseButton, point);
    if (button == HintedButton::imgEdit) actions_.showReleasedEditPicture();
    return click;
}

void PictureButtonPanel::DoubleClick(HintedButton button) {
    StateOf(button).DblClick();
    if (RunsAgainOnDoubleClick(button)) actions_.click(button);
}

}  // namespace fretlux
