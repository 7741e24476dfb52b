// SPDX-License-Identifier: MIT
#include "texttools/text_to_tab_form.h"

#include "document/strings.h"

namespace fretlux {

TextToTabForm::TextToTabForm(std::string& gDialogText) : gDialogText_(gDialogText) {}

void TextToTabForm::Form_Load() {
    for (std::size_t i = 0; i < txtTAB.size(); ++i) {
        txtTAB[i] = i < gDialogText_.size() ? gDialogText_.substr(i, 1) : "";
    }
}

void TextToTabForm::txtTAB_Change(int index) {
    std::string& box = txtTAB.at(static_cast<std::size_t>(index));
    box = Left(box + "-", 1);
}

void TextToTabForm::cmdSave_Click() {
    gDialogText_.clear();
    for (const std::string& box : txtTAB) gDialogText_ += Left(box, 1);
    closeRequested = true;
}

void TextToTabForm::cmdClose_Click() {
    gDialogText_.clear();
    closeRequested = true;
}

}  // namespace fretlux
