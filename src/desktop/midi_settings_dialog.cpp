// SPDX-License-Identifier: MIT
#include "desktop/midi_settings_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace fretlux {

MidiSettingsDialog::MidiSettingsDialog(MidiSettingsForm& form, std::function<void()> channelChanged,
                                       QWidget* parent)
    : QDialog(parent), form_(form), channelChanged_(std::move(channelChanged)) {
    setWindowTitle(QStringLiteral("MIDI Settings"));
    channel_ = new QScrollBar(Qt::Horizontal, this);
    channel_->setObjectName(QStringLiteral("HScrollMIDIChannel"));
    channel_->setRange(form.HScrollMIDIChannel.Min(), form.HScrollMIDIChannel.Max());
    channel_->setSingleStep(1);
    channel_->setMinimumWidth(200);
    channelLabel_ = new QLabel(this);
    channelLabel_->setObjectName(QStringLiteral("lblMIDICh"));
    const int labelWidth = channelLabel_->fontMetrics().horizontalAdvance(QStringLiteral(" 16"));
    channelLabel_->setMinimumWidth(labelWidth);
    auto* status = new QLabel(QString::fromStdString(form.outputStatus), this);
    status->setWordWrap(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));

    auto* channelRow = new QHBoxLayout;
    channelRow->addWidget(new QLabel(QStringLiteral("MIDI Channel"), this));
    channelRow->addWidget(channel_, 1);
    channelRow->addWidget(channelLabel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(channelRow);
    layout->addWidget(status);
    layout->addWidget(close, 0, Qt::AlignRight);

    connect(channel_, &QScrollBar::valueChanged, this, [this](int value) {
        form_.HScrollMIDIChannel.SetValue(value);
        SyncFromModel();
        if (channelChanged_) channelChanged_();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    SyncFromModel();
}

void MidiSettingsDialog::SyncFromModel() {
    const QSignalBlocker blocker(channel_);
    channel_->setValue(form_.HScrollMIDIChannel.Value());
    channelLabel_->setText(QString::fromStdString(form_.lblMIDICh.caption));
}

}  // namespace fretlux
