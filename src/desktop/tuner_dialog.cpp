// SPDX-License-Identifier: MIT
#include "desktop/tuner_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/live_listener.h"
#include "desktop/tuner_needle.h"

namespace fretlux {
namespace {

QLabel* AddLabel(QVBoxLayout& layout, const char* name, int pointSizeChange, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSize(font.pointSize() + pointSizeChange);
    label->setFont(font);
    layout.addWidget(label);
    return label;
}

}  // namespace

TunerDialog::TunerDialog(const InputChoice& input, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Tuner"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    string_ = AddLabel(*layout, "lblTunerString", 2, this);
    note_ = AddLabel(*layout, "lblTunerNote", 14, this);
    needle_ = new TunerNeedle(this);
    layout->addWidget(needle_, 1);
    cents_ = AddLabel(*layout, "lblTunerCents", 2, this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    LiveReports reports;
    reports.reading = [this](const TunerReading& reading) { ShowReading(reading); };
    listener_ = new LiveListener(input, std::move(reports), this);
    if (!listener_->Error().empty()) {
        string_->setText(QString::fromStdString(listener_->Error()));
        string_->setWordWrap(true);
        return;
    }
    form_ = std::make_unique<TunerForm>(listener_->SampleRate());
}

// The listener goes first: no reading may arrive for a form that has gone.
TunerDialog::~TunerDialog() { delete listener_; }

void TunerDialog::ShowReading(const TunerReading& reading) {
    form_->Show(reading);
    string_->setText(QString::fromStdString(form_->StringText()));
    note_->setText(QString::fromStdString(form_->NoteText()));
    cents_->setText(QString::fromStdString(form_->CentsText()));
    needle_->Show(form_->HasPitch(), form_->NeedleCents(), form_->InTune());
}

}  // namespace fretlux
