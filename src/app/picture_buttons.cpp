// SPDX-License-Identifier: MIT
// What the picture buttons do in the window: the command a click runs, the board turned on the
// press of a rotation button, and the text button's released picture.
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
        case HintedButton::imgListen:
            return Command::ShowTuner;
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

}  // namespace

void FretluxForm::ChooseReleasedEditPicture() {
    controls_.imgEdit =
        ShowsTab() ? EditPictureFor(controls_.hscTAB.Value()) : EditPicture::imgEditUp;
}

void FretluxForm::PressPictureButton(HintedButton button) {
    if (button == HintedButton::imgLefRig) Rotate(FlipLeftRight);
    if (button == HintedButton::imgUpDown) Rotate(FlipUpDown);
}

void FretluxForm::RunButtonCommand(HintedButton button) {
    if (const int finger = FingerIndex(button); finger >= 0) {
        board_.AllocateFinger(finger);
    } else if (const auto command = ClickCommand(button)) {
        Perform(*command);
    }
}

}  // namespace fretlux
