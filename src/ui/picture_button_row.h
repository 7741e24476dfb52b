// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "app/fretlux_form.h"

class QHBoxLayout;

namespace fretlux {

class PictureButton;

// A row of picture buttons. Each tells the model of the mouse's work on it through `run`, which
// also shows what the handler changed; Show() puts the model's pictures on the buttons.
class PictureButtonRow : public QWidget {
    Q_OBJECT
public:
    using Runner = std::function<void(const std::function<void()>&)>;

    PictureButtonRow(FretluxForm& model, Runner run, QWidget* parent = nullptr);

    void Show();

protected:
    void Add(const char* name, HintedButton id);
    // A little room between groups of buttons.
    void AddGap();
    void AddStretch();

private:
    FretluxForm& model_;
    Runner run_;
    QHBoxLayout* layout_;
    std::vector<PictureButton*> buttons_;
};

}  // namespace fretlux
