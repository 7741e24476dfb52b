// SPDX-License-Identifier: MIT
#include "ui/picture_button_row.h"

#include <QHBoxLayout>

#include "ui/button_pictures.h"
#include "ui/picture_button.h"

namespace fretlux {

namespace {

constexpr int kGroupGap = 12;

}  // namespace

PictureButtonRow::PictureButtonRow(FretluxForm& model, Runner run, QWidget* parent)
    : QWidget(parent), model_(model), run_(std::move(run)), layout_(new QHBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(3);
}

void PictureButtonRow::Add(const char* name, HintedButton id) {
    auto* button = new PictureButton(QString::fromLatin1(name), id, this);
    layout_->addWidget(button);
    buttons_.push_back(button);
    button->onMouseDown = [this, id](int mouseButton) {
        run_([&] { model_.Buttons().Press(id, mouseButton); });
    };
    button->onMouseMove = [this, id](int mouseButtons, const ButtonPoint& point) {
        run_([&] { model_.Buttons().MoveOver(id, mouseButtons, point); });
    };
    button->onMouseUp = [this, id, button](int mouseButton, const ButtonPoint& point) {
        bool click = false;
        run_([&] { click = model_.Buttons().Release(id, mouseButton, point); });
        if (!click) return;
        // The released picture is on the screen before the command runs, which may open a
        // window of its own.
        button->repaint();
        run_([&] { model_.Buttons().Run(id); });
    };
    button->onDoubleClick = [this, id] { run_([&] { model_.Buttons().DoubleClick(id); }); };
}

void PictureButtonRow::AddGap() { layout_->addSpacing(kGroupGap); }

void PictureButtonRow::AddStretch() { layout_->addStretch(1); }

void PictureButtonRow::Show() {
    for (PictureButton* button : buttons_) {
        const HintedButton id = button->Id();
        button->ShowPicture(ReleasedSymbol(id, model_.Controls().imgEdit), PressedSymbol(id),
                            model_.Buttons().Pressed(id));
    }
}

}  // namespace fretlux
