// SPDX-License-Identifier: MIT
#include "desktop/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/text_codec.h"

namespace fretlux {

namespace {

QLabel* Line(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

AboutDialog::AboutDialog(const AboutForm& form, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString::fromStdString(form.caption));
    auto* picture = new QLabel(this);
    const QIcon icon = parent != nullptr ? parent->windowIcon() : QIcon();
    if (!icon.isNull()) picture->setPixmap(icon.pixmap(64, 64));

    auto* title = new QLabel(QStringLiteral("Fretlux"), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(Line("lblAbout", QString::fromStdString(form.lblAbout), this));
    text->addWidget(
        Line("lblDescription", QStringLiteral("Guitar tablature editor, player and tutor."), this));
    text->addSpacing(8);
    text->addWidget(Line("lblLicence", QString::fromStdString(form.licence), this));
    text->addWidget(
        Line("lblToolkit", QStringLiteral("Qt %1").arg(QString::fromLatin1(qVersion())), this));
    text->addWidget(Line("lblSound", DecodeDocumentText(form.sound).text, this));

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().horizontalAdvance(QString(56, QLatin1Char('n'))));
}

}  // namespace fretlux
