// SPDX-License-Identifier: MIT
// The hints of the window's picture buttons, shown in the help line while the pointer is over
// a button.
#include "app/fretlux_form.h"

namespace fretlux {

namespace {

const char* HintOf(HintedButton button) {
    switch (button) {
        case HintedButton::imgPlay:
            return "HELP: Begin playing TAB";
        case HintedButton::imgStop:
            return "HELP: Stop playing TAB";
        case HintedButton::imgStep:
            return "HELP: Step to next tab note";
        case HintedButton::imgBack:
            return "HELP: Step to previous tab note";
        case HintedButton::imgTune:
            return "HELP: Play whats currently displayed on the fretboard";
        case HintedButton::imgTrash:
            return "HELP: Clear fretboard";
        case HintedButton::imgclip2tab:
            return "HELP: Paste notes on fretboard to TAB or press [Enter]";
        case HintedButton::imgSound:
            return "HELP: Make last selected note playable (red) or press [+] key";
        case HintedButton::imgNoSound:
            return "HELP: Make last selected note not playable (black) or press [-] key";
        case HintedButton::imgEdit:
            return "HELP: View/edit text associated with current TAB";
        case HintedButton::imgCutButton:
            return "HELP: Cut tab file selection";
        case HintedButton::imgCopyButton:
            return "HELP: Copy tab file selection";
        case HintedButton::imgPasteButton:
            return "HELP: Paste into tab selection";
        case HintedButton::imgTabLine:
            return "HELP: Insert TAB bar to TAB";
        case HintedButton::imgInsTab:
            return "HELP: Insert tab line";
        case HintedButton::imgDelTab:
            return "HELP: Delete current tab line";
        case HintedButton::imgAB:
            return "HELP: Insert text to TAB";
        default:
            // The finger numbers and the rotations write their hints themselves.
            return "";
    }
}

}  // namespace

void FretluxForm::HintButton(HintedButton button) { ShowButtonHint(button); }

void FretluxForm::ShowButtonHint(HintedButton button) {
    switch (button) {
        case HintedButton::imgFNum0:
        case HintedButton::imgFNum1:
        case HintedButton::imgFNum2:
        case HintedButton::imgFNum3:
        case HintedButton::imgFNum4:
            ShowFingerHint(static_cast<int>(button) - static_cast<int>(HintedButton::imgFNum0));
            return;
        case HintedButton::imgLefRig:
            lblHelp = {kLeftRightHint, kHintBlue};
            return;
        case HintedButton::imgUpDown:
            lblHelp = {kUpDownHint, kHintBlue};
            return;
        default:
            lblHelp = {HintOf(button), kHintBlue};
    }
}

}  // namespace fretlux
