// SPDX-License-Identifier: MIT
// The picture buttons of the main window: their pressed and released pictures as the mouse works
// them, the command a click runs, and the three buttons whose double click runs it once more.
#include "app/fretlux_form.h"

namespace fretlux {

namespace {

using Command = void (FretluxForm::*)();

// The command a click runs; the rotations have none, they turn the board on the press.
Command ClickCommand(HintedButton button) {
    switch (button) {
        case HintedButton::imgPlay:
            return &FretluxForm::mnuPlayStart_Click;
        case HintedButton::imgStop:
            return &FretluxForm::mnuPlayStop_Click;
        case HintedButton::imgStep:
            return &FretluxForm::mnuPlayStepForward_Click;
        case HintedButton::imgBack:
            return &FretluxForm::mnuPlayStepBack_Click;
        case HintedButton::imgTune:
            return &FretluxForm::mnuPlayFret_Click;
        case HintedButton::imgTrash:
            return &FretluxForm::mnuEditClearFB_Click;
        case HintedButton::imgclip2tab:
            return &FretluxForm::mnuEditPasteFret_Click;
        case HintedButton::imgSound:
            return &FretluxForm::imgSound_Click;
        case HintedButton::imgNoSound:
            return &FretluxForm::imgNoSound_Click;
        case HintedButton::imgEdit:
            return &FretluxForm::mnuEditText_Click;
        case HintedButton::imgCutButton:
            return &FretluxForm::mnuEditCut_Click;
        case HintedButton::imgCopyButton:
            return &FretluxForm::mnuEditCopy_Click;
        case HintedButton::imgPasteButton:
            return &FretluxForm::mnuEditPaste_Click;
        case HintedButton::imgTabLine:
            return &FretluxForm::mnuEditPasteBar_Click;
        case HintedButton::imgInsTab:
            return &FretluxForm::mnuEditInsTab_Click;
        case HintedButton::imgDelTab:
            return &FretluxForm::mnuEditDelTab_Click;
        case HintedButton::imgAB:
            return &FretluxForm::mnuTXT2TAB_Click;
        default:
            return nullptr;
    }
}

int FingerIndex(HintedButton button) {
    const int index = static_cast<int>(button) - static_cast<int>(HintedButton::imgFNum0);
    return index >= 0 && index < 5 ? index : -1;
}

// A double click of these is a second command by design: two steps, or the second Stop that
// silences every note.
bool RunsAgainOnDoubleClick(HintedButton button) {
    return button == HintedButton::imgBack || button == HintedButton::imgStep ||
           button == HintedButton::imgStop;
}

}  // namespace

// The text button's own mouse handlers show the written page when there is no TAB at all.
void FretluxForm::ChooseReleasedEditPicture() {
    imgEdit = ShowsTab() ? EditPictureFor(hscTAB.Value()) : EditPicture::imgEditUp;
}

bool FretluxForm::PictureButtonPressed(HintedButton button) const {
    return pictureButtons[static_cast<int>(button)].Pressed();
}

void FretluxForm::PictureButton_MouseDown(HintedButton button, int mouseButton) {
    pictureButtons[static_cast<int>(button)].MouseDown(mouseButton);
    if (button == HintedButton::imgLefRig) imgLefRig_MouseDown();
    if (button == HintedButton::imgUpDown) imgUpDown_MouseDown();
}

void FretluxForm::PictureButton_MouseMove(HintedButton button, int mouseButtons,
                                          const ButtonPoint& point) {
    HintedButton_MouseMove(button);
    PictureButtonState& state = pictureButtons[static_cast<int>(button)];
    state.MouseMove(mouseButtons, point);
    if (button == HintedButton::imgEdit && mouseButtons == kLeftButton && !state.Pressed()) {
        ChooseReleasedEditPicture();
    }
}

bool FretluxForm::PictureButton_MouseUp(HintedButton button, int mouseButton,
                                        const ButtonPoint& point) {
    const bool click = pictureButtons[static_cast<int>(button)].MouseUp(mouseButton, point);
    if (button == HintedButton::imgEdit) ChooseReleasedEditPicture();
    return click;
}

void FretluxForm::PictureButton_Click(HintedButton button) {
    if (const int finger = FingerIndex(button); finger >= 0) {
        imgFNum_Click(finger);
    } else if (const Command command = ClickCommand(button)) {
        (this->*command)();
    }
}

void FretluxForm::PictureButton_DblClick(HintedButton button) {
    pictureButtons[static_cast<int>(button)].DblClick();
    if (RunsAgainOnDoubleClick(button)) PictureButton_Click(button);
}

}  // namespace fretlux
