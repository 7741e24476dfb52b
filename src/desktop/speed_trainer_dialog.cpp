// SPDX-License-Identifier: MIT
#include "desktop/speed_trainer_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "playback/tempo_scale.h"

namespace fretlux {

namespace {

QSpinBox* NumberBox(int min, int max, const QString& suffix, const QString& name, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(min, max);
    box->setSuffix(suffix);
    box->setObjectName(name);
    return box;
}

}  // namespace

SpeedTrainerDialog::SpeedTrainerDialog(SpeedTrainerForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    setWindowTitle(QString::fromLatin1(kSpeedTrainerCaption));
    on_ = new QCheckBox(QStringLiteral("&Speed up looped selections pass by pass"), this);
    on_->setObjectName(QStringLiteral("chkTrainer"));
    const QString percent = QStringLiteral(" %");
    start_ =
        NumberBox(kMinSpeedPercent, kMaxSpeedPercent, percent, QStringLiteral("spnStart"), this);
    step_ = NumberBox(0, kMaxTrainerStepPercent, QStringLiteral(" points"),
                      QStringLiteral("spnStep"), this);
    passes_ = NumberBox(1, kMaxTrainerPassesPerStep, QString(), QStringLiteral("spnPasses"), this);
    end_ = NumberBox(kMinSpeedPercent, kMaxSpeedPercent, percent, QStringLiteral("spnEnd"), this);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* numbers = new QFormLayout;
    numbers->addRow(QStringLiteral("S&tart speed"), start_);
    numbers->addRow(QStringLiteral("Step &up by"), step_);
    numbers->addRow(QStringLiteral("&Passes at each speed"), passes_);
    numbers->addRow(QStringLiteral("&End speed"), end_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(on_);
    layout->addLayout(numbers);
    layout->addWidget(summary_);
    layout->addWidget(buttons_);

    ShowModel();
    connect(on_, &QCheckBox::toggled, this, &SpeedTrainerDialog::ReadBoxes);
    for (QSpinBox* box : {start_, step_, passes_, end_}) {
        connect(box, &QSpinBox::valueChanged, this, &SpeedTrainerDialog::ReadBoxes);
    }
    connect(buttons_, &QDialogButtonBox::accepted, this, [this] {
        form_.Accept();
        if (form_.Result()) accept();
    });
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SpeedTrainerDialog::ReadBoxes() {
    form_.on = on_->isChecked();
    form_.settings = {start_->value(), step_->value(), passes_->value(), end_->value()};
    ShowModel();
}

void SpeedTrainerDialog::ShowModel() {
    const QSignalBlocker blockOn(on_);
    on_->setChecked(form_.on);
    const std::pair<QSpinBox*, int> values[] = {{start_, form_.settings.startPercent},
                                                {step_, form_.settings.stepPercent},
                                                {passes_, form_.settings.passesPerStep},
                                                {end_, form_.settings.endPercent}};
    for (const auto& [box, value] : values) {
        const QSignalBlocker block(box);
        box->setValue(value);
        box->setEnabled(form_.on);
    }
    summary_->setText(QString::fromStdString(form_.Summary()));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(form_.CanAccept());
}

}  // namespace fretlux
