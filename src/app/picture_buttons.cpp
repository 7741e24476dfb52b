// SPDX-License-Identifier: MIT
// The picture buttons of the main window: their pressed and released pictures as the mouse works
// them, the command a click runs, and the three buttons whose double click runs it once more.
#include "app/fretlux_form.h"

namespace fretlux {

namespace {

// The command a click runs; the rotations have none, they turn the board on the press.
std::optional<Command> ClickCommand(HintedButton button) {
    switch (button) {
        case HintedButton::imgPlay:
            return Command::StartPlayback;
        case HintedButton::imgStop:
            return Command::StopPlayback;
        case HintedButton::imgStep:
            return Command::StepForward;
        case HintedButton::imgBack:
            return Command::StepBack;
        case HintedButton::imgTune:
            return Command::PlayFretboard;
        case HintedButton::imgTrash:
            return Command::ClearFretboard;
        case HintedButton::imgclip2tab:
            return Command::PasteFretboard;
        case HintedButton::imgSound:
            return Command::MarkSounding;
        case HintedButton::imgNoSound:
            return Command::MarkSilent;
        case HintedButton::imgEdit:
            return Command::EditTabText;
        case HintedButton::imgCutButton:
            return Command::CutColumns;
        case HintedButton::imgCopyButton:
            return Command::CopyColumns;
        case HintedButton::imgPasteButton:
            return Command::PasteColumns;
        case HintedButton::imgTabLine:
            return Command::PasteBarLine;
        case HintedButton::imgInsTab:
            return Command::InsertTab;
        case HintedButton::imgDelTab:
            return Command::DeleteTab;
        case HintedButton::imgAB:
            return Command::OpenTextToTab;
        default:
            return std::nullopt;
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
    controls_.imgEdit =
        ShowsTab() ? EditPictureFor(controls_.hscTAB.Value()) : EditPicture::imgEditUp;
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
    controls_.lblHelp = {HintOf(button), kHintBlue};
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
    } else if (const auto command = ClickCommand(button)) {
        Perform(*command);
    }
}

void FretluxForm::DoubleClickPictureButton(HintedButton button) {
    pictureButtons[static_cast<int>(button)].DblClick();
    if (RunsAgainOnDoubleClick(button)) RunButtonCommand(button);
}

}  // namespace fretlux
