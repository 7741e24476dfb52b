// SPDX-License-Identifier: MIT
#include "ui/fretboard_buttons.h"

namespace fretlux {

FretboardButtons::FretboardButtons(FretluxForm& model, Runner run, QWidget* parent)
    : PictureButtonRow(model, std::move(run), parent) {
    // Named as the control array's elements: imgFNum0 .. imgFNum4.
    Add("imgFNum0", HintedButton::imgFNum0);
    Add("imgFNum1", HintedButton::imgFNum1);
    Add("imgFNum2", HintedButton::imgFNum2);
    Add("imgFNum3", HintedButton::imgFNum3);
    Add("imgFNum4", HintedButton::imgFNum4);
    AddGap();
    Add("imgSound", HintedButton::imgSound);
    Add("imgNoSound", HintedButton::imgNoSound);
    AddGap();
    Add("imgTrash", HintedButton::imgTrash);
    Add("imgclip2tab", HintedButton::imgclip2tab);
    Add("imgTune", HintedButton::imgTune);
    Add("imgListen", HintedButton::imgListen);
    AddGap();
    Add("imgLefRig", HintedButton::imgLefRig);
    Add("imgUpDown", HintedButton::imgUpDown);
    AddStretch();
}

}  // namespace fretlux
