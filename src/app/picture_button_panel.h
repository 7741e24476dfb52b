// SPDX-License-Identifier: MIT
// The window's picture buttons: their pressed and released pictures as the mouse works them, and
// when a click, or the second press of a double click, runs a button's command.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "app/picture_button_state.h"

namespace fretlux {

// The window's picture buttons, each of which shows its hint in the help line while the pointer
// is over it.
enum class HintedButton {
    imgPlay,
    imgStop,
    imgStep,
    imgBack,
    imgTune,
    imgListen,
    imgTrash,
    imgclip2tab,
    imgSound,
    imgNoSound,
    imgEdit,
    imgCutButton,
    imgCopyButton,
    imgPasteButton,
    imgTabLine,
    imgInsTab,
    imgDelTab,
    imgAB,
    imgFNum0,
    imgFNum1,
    imgFNum2,
    imgFNum3,
    imgFNum4,
    imgLefRig,
    imgUpDown
};
inline constexpr int kPictureButtonCount = static_cast<int>(HintedButton::imgUpDown) + 1;

// The hint a picture button shows in the help line, as its tooltip and as its accessible name.
std::string HintOf(HintedButton button);

class PictureButtonPanel {
public:
    // What the buttons do to the rest of the window.
    struct Actions {
        // A mouse button went down on the button.
        std::function<void(HintedButton)> press;
        // The button's command runs.
        std::function<void(HintedButton)> click;
        // The pointer is over the button.
        std::function<void(HintedButton)> hint;
        // The text button shows the picture of its released state as it stands.
        std::function<void()> showReleasedEditPicture;
    };

    explicit PictureButtonPanel(Actions actions) : actions_(std::move(actions)) {}

    void Press(HintedButton button, int mouseButton);
    void MoveOver(HintedButton button, int mouseButtons, const ButtonPoint& point);
    // True when a click follows, which the window runs with Run once it has shown the released
    // picture.
    bool Release(HintedButton button, int mouseButton, const ButtonPoint& point);
    void Run(HintedButton button) { actions_.click(button); }
    void DoubleClick(HintedButton button);
    bool Pressed(HintedButton button) const { return StateOf(button).Pressed(); }

private:
    PictureButtonState& StateOf(HintedButton button) { return states_[static_cast<int>(button)]; }
    const PictureButtonState& StateOf(HintedButton button) const {
        return states_[static_cast<int>(button)];
    }

    std::array<PictureButtonState, kPictureButtonCount> states_;
    Actions actions_;
};

}  // namespace fretlux
