// SPDX-License-Identifier: MIT
// The label box of the shown TAB. It shows the label without its trailing blanks, so that a click
// after the text puts the caret at its end, and the label is stored with them again. The user's
// typing in one TAB's label makes one undo step, until the box loses the focus or another step
// comes between.
#pragma once

#include <optional>
#include <string>

#include "app/control_models.h"

namespace fretlux {

class LabelBox {
public:
    explicit LabelBox(TextBoxModel& box) : box_(box) {}

    // Sets the text as the program, not the user, changes it.
    void Show(const std::string& text);
    // The text as the header keeps it: padded with blanks to the length it was shown with.
    std::string Stored() const;
    // Runs on every change of the box's text: the label as stored before it, when the change is
    // the user's first in TAB tab since its edit was last closed; nothing otherwise.
    std::optional<std::string> NoteChange(int tab);
    // The user's typing in TAB tab is one undo step from now on.
    void OpenEdit(int tab) { editTab_ = tab; }
    // The next change of the label is an undo step of its own.
    void CloseEdit() { editTab_ = 0; }

private:
    TextBoxModel& box_;
    // The TAB whose label the user is editing as one undo step; 0 when no such edit is open.
    int editTab_ = 0;
    bool setByProgram_ = false;
    // The text before its latest change, as stored.
    std::string before_;
    // The length of the label last shown, to which the stored label is padded.
    int padding_ = 0;
};

}  // namespace fretlux
