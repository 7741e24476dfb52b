// SPDX-License-Identifier: MIT
#include "app/label_box.h"

#include <utility>

#include "document/strings.h"

namespace fretlux {

void LabelBox::Show(const std::string& text) {
    setByProgram_ = true;
    padding_ = static_cast<int>(text.size());
    box_.SetText(TrimTrailingSpaces(text));
    setByProgram_ = false;
}

std::string LabelBox::Stored() const { return PadRight(box_.Text(), padding_); }

std::optional<std::string> LabelBox::NoteChange(int tab) {
    std::string before = std::exchange(before_, Stored());
    if (setByProgram_ || tab == 0 || editTab_ == tab) return std::nullopt;
    return before;
}

}  // namespace fretlux
