// SPDX-License-Identifier: MIT
#include "desktop/tutor_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/text_codec.h"

namespace fretlux {

namespace {

// The window's first size, in characters and lines of the text's font.
constexpr int kColumnsShown = 64;
constexpr int kLinesShown = 26;
constexpr int kGapToParent = 8;

QPushButton* CommandButton(const char* caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TutorWindow::TutorWindow(QWidget* parent, std::function<void()> afterCommand)
    : QDialog(parent), afterCommand_(std::move(afterCommand)) {
    setWindowTitle(QString::fromLatin1(kTutorCaption));
    setModal(false);
    box_ = new QPlainTextEdit(this);
    box_->setObjectName(QStringLiteral("txtTutor"));
    box_->setReadOnly(true);
    box_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* playStep = CommandButton(kPlayStepCaption, "cmdPlayStep", this);
    auto* playAlong = CommandButton(kPlayAlongCaption, "cmdPlayAlong", this);
    auto* nextStep = CommandButton(kNextStepCaption, "cmdNextStep", this);
    auto* close = CommandButton(kCloseTextCaption, "cmdClose", this);
    connect(playStep, &QPushButton::clicked, this, [this] { Run(&TutorButtons::PlayStep); });
    connect(playAlong, &QPushButton::clicked, this, [this] { Run(&TutorButtons::PlayAlongStep); });
    connect(nextStep, &QPushButton::clicked, this, [this] { Run(&TutorButtons::NextStep); });
    connect(close, &QPushButton::clicked, this, [this] { Run(&TutorButtons::CloseText); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(playStep);
    buttons->addWidget(playAlong);
    buttons->addWidget(nextStep);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box_);
    layout->addLayout(buttons);

    const QFontMetrics metrics(box_->font());
    resize(metrics.averageCharWidth() * kColumnsShown, metrics.lineSpacing() * kLinesShown);
}

void TutorWindow::ShowText(const std::string& text, TutorButtons& buttons) {
    buttons_ = &buttons;
    box_->setPlainText(DecodeDocumentText(text).text);
    if (!placed_) {
        PlaceBesideParent();
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    box_->setFocus();
}

void TutorWindow::Hide() { hide(); }

void TutorWindow::reject() { Run(&TutorButtons::CloseText); }

void TutorWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Run(&TutorButtons::CloseText);
}

void TutorWindow::Run(void (TutorButtons::*command)()) {
    if (buttons_ == nullptr) return;
    (buttons_->*command)();
    if (afterCommand_) afterCommand_();
}

// Beside the main window where the screen has room, else over its right-hand edge, so that the
// TAB and most of the fretboard stay in view while the student reads.
void TutorWindow::PlaceBesideParent() {
    const QWidget* owner = parentWidget();
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    if (owner == nullptr) {
        move(area.center() - QPoint(width() / 2, height() / 2));
        return;
    }
    const QRect frame = owner->frameGeometry();
    const int x = std::min(frame.right() + kGapToParent, area.right() - frameGeometry().width());
    move(std::max(x, area.left()), std::max(frame.top(), area.top()));
}

}  // namespace fretlux
