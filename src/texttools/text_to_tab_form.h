// SPDX-License-Identifier: MIT
// The Text to TAB window as a presentation model: six one-character boxes, one per string line,
// top line first, and its Save and Close buttons. The result goes back through gDialogText.
#pragma once

#include <array>
#include <string>

namespace fretlux {

inline constexpr const char* kTextToTabCaption = "Text to TAB";
inline constexpr const char* kTextToTabNote =
    "Note: Use this feature to add text characters to TAB.  Numbers will be ignored";

class TextToTabForm {
public:
    explicit TextToTabForm(std::string& gDialogText);

    // Box i shows character i + 1 of gDialogText, or stays empty when there is none.
    void Form_Load();
    // The text of box index has changed: it keeps its first character, or "-" when emptied.
    void txtTAB_Change(int index);
    void cmdSave_Click();
    void cmdClose_Click();

    // The boxes' texts, index 0 at the top (string line 1).
    std::array<std::string, 6> txtTAB;
    // Set by Save and Close: the window is to close now.
    bool closeRequested = false;

private:
    std::string& gDialogText_;
};

}  // namespace fretlux
