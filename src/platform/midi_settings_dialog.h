// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "app/midi_settings_form.h"

class QLabel;
class QScrollBar;

namespace fretlux {

// The "MIDI Settings" window over its model: the channel bar, its label, the line that says
// which output sounds, and Close.
class MidiSettingsDialog final : public QDialog {
public:
    MidiSettingsDialog(MidiSettingsForm& form, QWidget* parent);

private:
    void SyncFromModel();

    MidiSettingsForm& form_;
    QScrollBar* channel_ = nullptr;
    QLabel* channelLabel_ = nullptr;
};

}  // namespace fretlux
