// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>

#include "app/fretlux_form.h"

namespace fretlux {

class PictureButton;

// The row of buttons under the fretboard: finger numbers, playable and not playable, clear,
// paste to the TAB, play, and the two rotations. Each forwards its click (the rotations their
// press) and the pointer moving over it to the model through `run`, which also shows what the
// handler changed.
class FretboardButtons : public QWidget {
    Q_OBJECT
public:
    using Runner = std::function<void(const std::function<void()>&)>;

    FretboardButtons(FretluxForm& model, Runner run, QWidget* parent = nullptr);

private:
    PictureButton* AddButton(const QString& name, const QIcon& picture);
    // Clicking runs the command; the pointer over the button runs `hover`.
    void OnClick(PictureButton& button, void (FretluxForm::*command)(),
                 std::function<void()> hover);
    // A hint the model has no handler of its own for.
    std::function<void()> Hint(HintedButton button);

    FretluxForm& model_;
    Runner run_;
};

}  // namespace fretlux
