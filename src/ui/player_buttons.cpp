// SPDX-License-Identifier: MIT
#include "ui/player_buttons.h"

namespace fretlux {

PlayerButtons::PlayerButtons(FretluxForm& model, Runner run, QWidget* parent)
    : PictureButtonRow(model, std::move(run), parent) {
    Add("imgPlay", HintedButton::imgPlay);
    Add("imgBack", HintedButton::imgBack);
    Add("imgStep", HintedButton::imgStep);
    Add("imgStop", HintedButton::imgStop);
    AddGap();
    Add("imgCutButton", HintedButton::imgCutButton);
    Add("imgCopyButton", HintedButton::imgCopyButton);
    Add("imgPasteButton", HintedButton::imgPasteButton);
    AddGap();
    Add("imgTabLine", HintedButton::imgTabLine);
    Add("imgInsTab", HintedButton::imgInsTab);
    Add("imgDelTab", HintedButton::imgDelTab);
    AddGap();
    Add("imgAB", HintedButton::imgAB);
    Add("imgEdit", HintedButton::imgEdit);
    AddStretch();
}

}  // namespace fretlux
