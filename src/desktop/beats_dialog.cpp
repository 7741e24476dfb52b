// SPDX-License-Identifier: MIT
#include "desktop/beats_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace fretlux {

BeatsDialog::BeatsDialog(BeatsForm& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle(QString::fromLatin1(kBeatsCaption));
    beats_ = new QSpinBox(this);
    beats_->setObjectName(QStringLiteral("spnBeatsPerBar"));
    beats_->setRange(kMinBeatsPerBar, kMaxBeatsPerBar);
    fixed_ = new QCheckBox(QStringLiteral("&Fix the columns per beat for this document"), this);
    fixed_->setObjectName(QStringLiteral("chkFixedColumns"));
    columns_ = new QSpinBox(this);
    columns_->setObjectName(QStringLiteral("spnColumnsPerBeat"));
    columns_->setRange(kMinColumnsPerBeat, kMaxColumnsPerBeat);
    auto* note = new QLabel(
        QStringLiteral("Unless fixed, each TAB's first whole bar gives its columns per beat."),
        this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* numbers = new QFormLayout;
    numbers->addRow(QStringLiteral("&Beats per bar"), beats_);
    numbers->addRow(fixed_);
    numbers->addRow(QStringLiteral("&Columns per beat"), columns_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(numbers);
    layout->addWidget(note);
    layout->addWidget(buttons);

    ShowModel();
    connect(beats_, &QSpinBox::valueChanged, this, [this](int beats) {
        form_.SetBeatsPerBar(beats);
        ShowModel();
    });
    connect(fixed_, &QCheckBox::toggled, this, [this](bool fixed) {
        form_.SetFixedColumns(fixed);
        ShowModel();
    });
    connect(columns_, &QSpinBox::valueChanged, this, [this](int columns) {
        form_.SetColumnsPerBeat(columns);
        ShowModel();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        form_.Accept();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void BeatsDialog::ShowModel() {
    const QSignalBlocker blockBeats(beats_);
    const QSignalBlocker blockFixed(fixed_);
    const QSignalBlocker blockColumns(columns_);
    beats_->setValue(form_.BeatsPerBar());
    fixed_->setChecked(form_.FixedColumns());
    columns_->setValue(form_.ColumnsPerBeat());
    columns_->setEnabled(form_.FixedColumns());
}

}  // namespace fretlux
