// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "app/about_form.h"

namespace fretlux {

// The modal "About Fretlux" window: the program's icon and version, its licence, the Qt in use
// and the sound that plays, with an OK button that closes it.
class AboutDialog final : public QDialog {
public:
    AboutDialog(const AboutForm& form, QWidget* parent);
};

}  // namespace fretlux
