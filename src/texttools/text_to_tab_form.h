// SPDX-License-Identifier: MIT
// The Text to TAB window as a presentation model: six one-character boxes, one per string line,
// top line first, and its Save and Close buttons.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace fretlux {

inline constexpr const char* kTextToTabCaption = "Text to TAB";
inline constexpr const char* kTextToTabNote =
    "Note: Use this feature to add text characters to TAB.  Numbers will be ignored";

class TextToTabForm {
public:
    // symbols: the column's symbols, top line first.
    explicit TextToTabForm(std::string symbols);

    // Box i shows symbol i, or stays empty when there is none.
    void Load();
    // The text of box index has changed: it keeps its first character, or "-" when emptied.
    void BoxChanged(int index);
    void Save();
    void Close();

    // The boxes' texts, index 0 at the top (string line 1).
    std::array<std::string, 6> txtTAB;
    // Set by Save and Close: the window is to close now.
    bool closeRequested = false;

    // The symbols to write into the column: the boxes' after Save, none after Close, and the
    // column's own when the window was closed by other means.
    const std::optional<std::string>& Result() const { return result_; }

private:
    std::string loaded_;
    std::optional<std::string> result_;
};

}  // namespace fretlux
