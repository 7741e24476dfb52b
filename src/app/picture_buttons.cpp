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
            return &FretluxForm::StartPlayback;
        case HintedButton::imgStop:
            return &FretluxForm::StopPlayback;
        case HintedButton::imgStep:
            return &FretluxForm::StepForward;
        case HintedButton::imgBack:
            return &FretluxForm::StepBack;
        case HintedButton::imgTune:
            return &FretluxForm::PlayFretboard;
        case HintedButton::imgTrash:
            return &FretluxForm::ClearFretboard;
        case HintedButton::imgclip2tab:
            return &FretluxForm::PasteFretboard;
        case HintedButton::imgSound:
            return &FretluxForm::MarkSounding;
        case HintedButton::imgNoSound:
            return &FretluxForm::MarkSilent;
        case HintedButton::imgEdit:
            return &FretluxForm::EditTabText;
        case HintedButton::imgCutButton:
            return &FretluxForm::CutColumns;
        case HintedButton::imgCopyButton:
            return &FretluxForm::CopyColumns;
        case HintedButton::imgPasteButton:
            return &FretluxForm::PasteColumns;
        case HintedButton::imgTabLine:
            return &FretluxForm::PasteBarLine;
        case HintedButton::imgInsTab:
            return &FretluxForm::InsertTab;
        case HintedButton::imgDelTab:
            return &FretluxForm::DeleteTab;
        case HintedButton::imgAB:
            return &FretluxForm::OpenTextToTab;
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

void FretluxForm::PressPictureButton(HintedButton button, int mouseButton) {
    pictureButtons[static_cast<int>(button)].MouseDown(mouseButton);
    if (button == HintedButton::imgLefRig) Rotate(FlipLeftRight);
    if (button == HintedButton::imgUpDown) Rotate(FlipUpDown);
}

void FretluxForm::MoveOverPictureButton(HintedButton button, int mouseButtons,
                                        const ButtonPoint& point) {
    lblHelp = {HintOf(button), kHintBlue};
    PictureButtonState& state = pictureButtons[static_cast<int>(button)];
    state.MouseMove(mouseButtons, point);
    if (button == HintedButton::imgEdit && mouseButtons == kLeftButton && !state.Pressed()) {
        ChooseReleasedEditPicture();
    }
}

bool FretluxForm::ReleasePictureButton(HintedButton button, int mouseButton,
                                       const ButtonPoint& point) {
    const bool click = pictureButtons[static_cast<int>(button)].MouseUp(mouseButton, point);
    if (button == HintedButton::imgEdit) ChooseReleasedEditPicture();
    return click;
}

void FretluxForm::RunPictureButton(HintedButton button) { RunButtonCommand(button); }

void FretluxForm::RunButtonCommand(HintedButton button) {
    if (const int finger = FingerIndex(button); finger >= 0) {
        board_.AllocateFinger(finger);
    } else if (const Command command = ClickCommand(button)) {
        (this->*command)();
    }
}

void FretluxForm::DoubleClickPictureButton(HintedButton button) {
    pictureButtons[static_cast<int>(button)].DblClick();
    if (RunsAgainOnDoubleClick(button)) RunButtonCommand(button);
}

}  // namespace fretlux
