// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "app/tutor_buttons.h"

class QPlainTextEdit;
class QPushButton;

namespace fretlux {

// The tutor window: a lesson step's text, read-only, above the buttons Play step, Next step and
// Close. It never blocks the main window. The buttons, Escape and the window's own close button
// hand their command to the tutor; only the tutor closes the window, through Hide.
class TutorWindow final : public QDialog {
public:
    // afterCommand runs once a button's command has run, so that the main window shows what it
    // changed.
    TutorWindow(QWidget* parent, std::function<void()> afterCommand);

    // Shows the text over the given buttons; the window keeps its place while it stays open.
    void ShowText(const std::string& text, TutorButtons& buttons);
    void Hide();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Run(void (TutorButtons::*command)());
    void PlaceBesideParent();

    QPlainTextEdit* box_ = nullptr;
    TutorButtons* buttons_ = nullptr;
    std::function<void()> afterCommand_;
    bool placed_ = false;
};

}  // namespace fretlux
