// SPDX-License-Identifier: MIT
#include "ui/player_buttons.h"

#include <QHBoxLayout>

#include "ui/button_pictures.h"
#include "ui/picture_button.h"

namespace fretlux {

PlayerButtons::PlayerButtons(FretluxForm& model, Runner run, QWidget* parent)
    : QWidget(parent), model_(model), run_(std::move(run)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    AddButton(QStringLiteral("imgPlay"), PlayPicture(), &FretluxForm::mnuPlayStart_Click,
              HintedButton::imgPlay);
    AddButton(QStringLiteral("imgBack"), StepBackPicture(), &FretluxForm::mnuPlayStepBack_Click,
              HintedButton::imgBack);
    AddButton(QStringLiteral("imgStep"), StepForwardPicture(),
              &FretluxForm::mnuPlayStepForward_Click, HintedButton::imgStep);
    AddButton(QStringLiteral("imgStop"), StopPicture(), &FretluxForm::mnuPlayStop_Click,
              HintedButton::imgStop);
    layout->addSpacing(12);
    edit_ = AddButton(QStringLiteral("imgEdit"), TabTextPicture(false),
                      &FretluxForm::mnuEditText_Click, HintedButton::imgEdit);
    layout->addStretch(1);
}

void PlayerButtons::ShowEditPicture(EditPicture picture) {
    if (picture == shownEditPicture_) return;
    shownEditPicture_ = picture;
    edit_->setIcon(TabTextPicture(picture == EditPicture::imgEditUp));
}

PictureButton* PlayerButtons::AddButton(const QString& name, const QIcon& picture,
                                        void (FretluxForm::*command)(), HintedButton hint) {
    auto* button = new PictureButton(name, this);
    button->setIcon(picture);
    button->setIconSize(QSize(kPictureSize, kPictureSize));
    layout()->addWidget(button);
    connect(button, &QToolButton::clicked, this,
            [this, command] { run_([&] { (model_.*command)(); }); });
    button->onHover = [this, hint] { run_([&] { model_.HintedButton_MouseMove(hint); }); };
    return button;
}

}  // namespace fretlux
