// SPDX-License-Identifier: MIT
#include "ui/fretboard_buttons.h"

#include <QHBoxLayout>
#include <string>

#include "ui/button_pictures.h"
#include "ui/picture_button.h"

namespace fretlux {

namespace {

constexpr const char* kFingerNames[] = {"1", "2", "3", "4", "T"};

}  // namespace

FretboardButtons::FretboardButtons(FretluxForm& model, Runner run, QWidget* parent)
    : QWidget(parent), model_(model), run_(std::move(run)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    for (int index = 0; index < 5; ++index) {
        // Named as the control array's element: imgFNum0 .. imgFNum4.
        PictureButton* button = AddButton(QStringLiteral("imgFNum%1").arg(index),
                                          FingerPicture(QString::fromLatin1(kFingerNames[index])));
        connect(button, &QToolButton::clicked, this,
                [this, index] { run_([&] { model_.imgFNum_Click(index); }); });
        button->onHover = [this, index] { run_([&] { model_.imgFNum_MouseMove(index); }); };
    }
    layout->addSpacing(12);
    OnClick(*AddButton(QStringLiteral("imgSound"), PlayablePicture()), &FretluxForm::imgSound_Click,
            Hint(HintedButton::imgSound));
    OnClick(*AddButton(QStringLiteral("imgNoSound"), NotPlayablePicture()),
            &FretluxForm::imgNoSound_Click, Hint(HintedButton::imgNoSound));
    layout->addSpacing(12);
    OnClick(*AddButton(QStringLiteral("imgTrash"), ClearFretboardPicture()),
            &FretluxForm::mnuEditClearFB_Click, Hint(HintedButton::imgTrash));
    OnClick(*AddButton(QStringLiteral("imgclip2tab"), PasteFretboardPicture()),
            &FretluxForm::mnuEditPasteFret_Click, Hint(HintedButton::imgclip2tab));
    OnClick(*AddButton(QStringLiteral("imgTune"), PlayFretboardPicture()),
            &FretluxForm::mnuPlayFret_Click, Hint(HintedButton::imgTune));
    layout->addSpacing(12);

    // The rotations run on the press, with any mouse button.
    PictureButton* leftRight = AddButton(QStringLiteral("imgLefRig"), LeftRightPicture());
    leftRight->onPress = [this] { run_([&] { model_.imgLefRig_MouseDown(); }); };
    leftRight->onHover = [this] { run_([&] { model_.imgLefRig_MouseMove(); }); };
    PictureButton* upDown = AddButton(QStringLiteral("imgUpDown"), UpDownPicture());
    upDown->onPress = [this] { run_([&] { model_.imgUpDown_MouseDown(); }); };
    upDown->onHover = [this] { run_([&] { model_.imgUpDown_MouseMove(); }); };
    layout->addStretch(1);
}

PictureButton* FretboardButtons::AddButton(const QString& name, const QIcon& picture) {
    auto* button = new PictureButton(name, this);
    button->setIcon(picture);
    button->setIconSize(QSize(kPictureSize, kPictureSize));
    layout()->addWidget(button);
    return button;
}

void FretboardButtons::OnClick(PictureButton& button, void (FretluxForm::*command)(),
                               std::function<void()> hover) {
    connect(&button, &QToolButton::clicked, this,
            [this, command] { run_([&] { (model_.*command)(); }); });
    button.onHover = std::move(hover);
}

std::function<void()> FretboardButtons::Hint(HintedButton button) {
    return [this, button] { run_([&] { model_.HintedButton_MouseMove(button); }); };
}

}  // namespace fretlux
