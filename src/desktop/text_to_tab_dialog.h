// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <array>

#include "texttools/text_to_tab_form.h"

class QLineEdit;

namespace fretlux {

// The "Text to TAB" window over its model: six one-character boxes in a column, one per string
// line with the top line first, the note, and Save and Close.
class TextToTabDialog final : public QDialog {
public:
    TextToTabDialog(TextToTabForm& form, QWidget* parent);

private:
    void BoxEdited(int index);
    void ShowBox(int index);
    void CloseIfRequested();

    TextToTabForm& form_;
    std::array<QLineEdit*, 6> boxes_{};
};

}  // namespace fretlux
