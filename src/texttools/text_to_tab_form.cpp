// SPDX-License-Identifier: MIT
#include "texttools/text_to_tab_form.h"

#include <utility>

#include "document/strings.h"

namespace fretlux {

TextToTabForm::TextToTabForm(std::string symbols) : loaded_(symbols), result_(std::move(symbols)) {}

void TextToTabForm::Load() {
    for (std::size_t i = 0; i < txtTAB.size(); ++i) {
        txtTAB[i] = i < loaded_.size() ? loaded_.substr(i, 1) : "";
    }
}

void TextToTabForm::BoxChanged(int index) {
    std::string& box = txtTAB.at(static_cast<std::size_t>(index));
    box = Left(box + "-", 1);
}

void TextToTabForm::Save() {
    std::string symbols;
    for (const std::string& box : txtTAB) symbols += Left(box, 1);
    result_ = std::move(symbols);
    closeRequested = true;
}

void TextToTabForm::Close() {
    result_.reset();
    closeRequested = true;
}

}  // namespace fretlux
