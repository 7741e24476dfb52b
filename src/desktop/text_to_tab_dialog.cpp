// SPDX-License-Identifier: MIT
#include "desktop/text_to_tab_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "desktop/text_codec.h"

namespace fretlux {

namespace {

// The note wraps to about this many characters a line.
constexpr int kNoteColumns = 32;
// The string of each box, top to bottom as the TAB lines stand: high e first.
constexpr const char* kBoxStrings[] = {"e", "B", "G", "D", "A", "E"};

// A TAB line holds one byte for each character, so the boxes speak Latin-1: a character it
// cannot hold becomes "?" rather than the first byte of a longer sequence.
std::string BoxBytes(const QString& text) { return EncodeDocumentText(text, false); }

QString BoxText(const std::string& bytes) { return QString::fromLatin1(bytes); }

}  // namespace

TextToTabDialog::TextToTabDialog(TextToTabForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    setWindowTitle(QString::fromLatin1(kTextToTabCaption));
    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    auto* note = new QLabel(QString::fromLatin1(kTextToTabNote), this);
    note->setObjectName(QStringLiteral("Label1"));
    note->setWordWrap(true);
    note->setFixedWidth(note->fontMetrics().averageCharWidth() * kNoteColumns);

    auto* column = new QGridLayout;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        auto* box = new QLineEdit(this);
        auto* name = new QLabel(QString::fromLatin1(kBoxStrings[i]), this);
        name->setBuddy(box);
        box->setAccessibleName(
            QStringLiteral("String %1").arg(QString::fromLatin1(kBoxStrings[i])));
        box->setObjectName(QStringLiteral("txtTAB%1").arg(i));
        box->setAlignment(Qt::AlignCenter);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 3);
        const int index = static_cast<int>(i);
        connect(box, &QLineEdit::textChanged, this, [this, index] { BoxEdited(index); });
        column->addWidget(name, static_cast<int>(i), 0);
        column->addWidget(box, static_cast<int>(i), 1);
        boxes_[i] = box;
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* side = new QVBoxLayout;
    side->addWidget(note);
    side->addStretch(1);
    side->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column);
    layout->addLayout(side);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(save, boxes_.front());
    for (std::size_t i = 1; i < boxes_.size(); ++i) setTabOrder(boxes_[i - 1], boxes_[i]);
    setTabOrder(boxes_.back(), close);
    save->setFocus();

    connect(save, &QPushButton::clicked, this, [this] {
        form_.Save();
        CloseIfRequested();
    });
    connect(close, &QPushButton::clicked, this, [this] {
        form_.Close();
        CloseIfRequested();
    });
    for (std::size_t i = 0; i < boxes_.size(); ++i) ShowBox(static_cast<int>(i));
}

void TextToTabDialog::BoxEdited(int index) {
    form_.txtTAB.at(static_cast<std::size_t>(index)) =
        BoxBytes(boxes_.at(static_cast<std::size_t>(index))->text());
    form_.BoxChanged(index);
    ShowBox(index);
    // With the caret before the box's character, the next key typed becomes the character.
    boxes_.at(static_cast<std::size_t>(index))->setCursorPosition(0);
}

// The box's own change signal stays quiet: the text shown is the model's result already.
void TextToTabDialog::ShowBox(int index) {
    QLineEdit* box = boxes_.at(static_cast<std::size_t>(index));
    const QString shown = BoxText(form_.txtTAB.at(static_cast<std::size_t>(index)));
    if (box->text() == shown) return;
    const QSignalBlocker blocker(box);
    box->setText(shown);
}

void TextToTabDialog::CloseIfRequested() {
    if (form_.closeRequested) accept();
}

}  // namespace fretlux
