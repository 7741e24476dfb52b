// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>

#include "app/fretlux_form.h"

namespace fretlux {

class PictureButton;

// The buttons of the Play menu's most used commands (Start, Step Forward, Step Back, Stop) and
// the TAB text button, whose picture tells whether the shown TAB has a text.
class PlayerButtons : public QWidget {
    Q_OBJECT
public:
    using Runner = std::function<void(const std::function<void()>&)>;

    PlayerButtons(FretluxForm& model, Runner run, QWidget* parent = nullptr);

    void ShowEditPicture(EditPicture picture);

private:
    PictureButton* AddButton(const QString& name, const QIcon& picture,
                             void (FretluxForm::*command)(), HintedButton hint);

    FretluxForm& model_;
    Runner run_;
    PictureButton* edit_ = nullptr;
    EditPicture shownEditPicture_ = EditPicture::imgEdit2Up;
};

}  // namespace fretlux
