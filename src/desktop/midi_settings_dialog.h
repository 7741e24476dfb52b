// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <functional>

#include "app/midi_settings_form.h"

class QLabel;
class QScrollBar;

namespace fretlux {

// The "MIDI Settings" window over its model: the channel bar, its label, the line that says
// which output sounds, and Close. Moving the bar changes the main window's patch and volume
// bars, which channelChanged shows at once.
class MidiSettingsDialog final : public QDialog {
public:
    MidiSettingsDialog(MidiSettingsForm& form, std::function<void()> channelChanged,
                       QWidget* parent);

private:
    void SyncFromModel();

    MidiSettingsForm& form_;
    std::function<void()> channelChanged_;
    QScrollBar* channel_ = nullptr;
    QLabel* channelLabel_ = nullptr;
};

}  // namespace fretlux
