// SPDX-License-Identifier: MIT
// The hints of the window's controls, shown in the help line while the pointer is over one; a
// picture button also carries its hint as its tooltip and the name a screen reader gives it.
#include "app/fretlux_form.h"

namespace fretlux {

namespace {

std::string FingerHint(int index) {
    const std::string finger = index == 4 ? "T" : std::to_string(index + 1);
    const std::string keys =
        index == 4 ? " (press [T] or [5])" : " (or press [" + finger + "] key)";
    return "HELP: Allocate finger number " + finger + " to the last note selected" + keys;
}

const char* ControlHint(PointedControl control) {
    switch (control) {
        case PointedControl::txtTAB:
            return "HELP: The label of this TAB: click to type a title or a note on it";
        case PointedControl::lblTAB:
            return "HELP: Click a column to put the cursor on it and hear it, drag to select "
                   "columns";
        case PointedControl::hscTAB:
            return "HELP: Move to another TAB of the document";
        case PointedControl::hscTempo:
            return "HELP: Tempo of this TAB: right plays faster, left slower";
        case PointedControl::hscVolume:
            return "HELP: Volume of this TAB";
        case PointedControl::HScrollPatch:
            return "HELP: Instrument (General MIDI patch) of this TAB";
        case PointedControl::lblNote:
            return "HELP: The notes played last, the newest at the right";
        case PointedControl::Fretboard:
            return kFretboardHint;
        case PointedControl::StringNames:
            return kStringNamesHint;
        case PointedControl::Background:
            break;
    }
    return "";
}

}  // namespace

std::string HintOf(HintedButton button) {
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
            return "HELP: Play what's currently displayed on the fretboard";
        case HintedButton::imgListen:
            return "HELP: Listen: the tuner shows the string you play and how far off it is";
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
            return "HELP: Insert TAB";
        case HintedButton::imgDelTab:
            return "HELP: Delete current TAB";
        case HintedButton::imgAB:
            return "HELP: Insert text to TAB";
        case HintedButton::imgFNum0:
        case HintedButton::imgFNum1:
        case HintedButton::imgFNum2:
        case HintedButton::imgFNum3:
        case HintedButton::imgFNum4:
            return FingerHint(static_cast<int>(button) - static_cast<int>(HintedButton::imgFNum0));
        case HintedButton::imgLefRig:
            return kLeftRightHint;
        case HintedButton::imgUpDown:
            return kUpDownHint;
    }
    return "";
}

void FretluxForm::HintButton(HintedButton button) {
    controls_.lblHelp = {HintOf(button), kHintBlue};
}

void FretluxForm::HintControl(PointedControl control) {
    if (control == PointedControl::Background) return ShowTabPosition();
    controls_.lblHelp = {ControlHint(control), kHintBlue};
}

}  // namespace fretlux
