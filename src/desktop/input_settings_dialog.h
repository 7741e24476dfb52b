// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <chrono>
#include <functional>
#include <memory>

#include "input/input_settings_form.h"
#include "input/latency_measurement.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;

namespace fretlux {

class AudioInput;
class LevelMeter;
class LiveListener;

// The "Input" settings window over its model: the devices and ports, a live level meter for
// the chosen audio device, the latency typed or measured with clicks, and OK and Cancel.
class InputSettingsDialog final : public QDialog {
public:
    // click sounds one short click through the program's output, for the latency measurement.
    InputSettingsDialog(InputSettingsForm& form, std::function<void()> click, QWidget* parent);
    ~InputSettingsDialog() override;

private:
    void ChooseEntry(int entry);
    void OpenLevelMeter();
    void CloseLevelMeter();
    void ShowLevel();
    void StartMeasuring();
    void FinishMeasuring();
    void SyncFromModel();

    InputSettingsForm& form_;
    std::function<void()> click_;
    QListWidget* devices_ = nullptr;
    QProgressBar* level_ = nullptr;
    QLineEdit* latency_ = nullptr;
    QPushButton* measure_ = nullptr;
    QCheckBox* headphones_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* ok_ = nullptr;
    QTimer* levelTimer_ = nullptr;
    std::unique_ptr<LevelMeter> meter_;
    std::unique_ptr<AudioInput> meterInput_;
    LiveListener* measuring_ = nullptr;
    LatencyMeasurement measurement_;
    std::chrono::steady_clock::time_point measureStart_;
};

}  // namespace fretlux
