// SPDX-License-Identifier: MIT
// The look of one picture button as the mouse works it, and when a release is a click.
#pragma once

#include "fretboard/note_marking.h"

namespace fretlux {

// The pointer in the button's own coordinates, with the button's size.
struct ButtonPoint {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    // The edges count as outside on the left and the top, as inside on the right and bottom.
    bool Outside() const { return x <= 0 || x > width || y < 0 || y > height; }
};

// A picture button shows its pressed picture while a mouse button holds it down. While the left
// button alone drags it, the pressed picture shows only with the pointer inside, and only a left
// press released inside is a click. The second press of a double click is no new press: its
// release is no click.
class PictureButtonState {
public:
    bool Pressed() const { return pressed_; }

    void MouseDown(int button) {
        pressed_ = true;
        leftHeld_ = button == kLeftButton;
    }
    void MouseMove(int buttons, const ButtonPoint& point) {
        if (buttons == kLeftButton) pressed_ = !point.Outside();
    }
    // True when the release ends a click.
    bool MouseUp(int button, const ButtonPoint& point) {
        const bool click = button == kLeftButton && leftHeld_ && !point.Outside();
        pressed_ = false;
        leftHeld_ = false;
        return click;
    }
    void DblClick() {
        pressed_ = true;
        leftHeld_ = false;
    }

private:
    bool pressed_ = false;
    bool leftHeld_ = false;
};

}  // namespace fretlux
