// SPDX-License-Identifier: MIT
#include "desktop/input_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "desktop/live_listener.h"
#include "input/level_meter.h"
#include "input/open_audio_input.h"

namespace fretlux {
namespace {

constexpr int kLevelIntervalMs = 50;
// After the last click, its echo may still be on its way.
constexpr int kMeasureTailMs = LatencyMeasurement::kLongestLatencyMs + 300;

}  // namespace

InputSettingsDialog::InputSettingsDialog(InputSettingsForm& form, std::function<void()> click,
                                         QWidget* parent)
    : QDialog(parent), form_(form), click_(std::move(click)) {
    setWindowTitle(QStringLiteral("Input"));
    devices_ = new QListWidget(this);
    devices_->setObjectName(QStringLiteral("lstInputDevices"));
    for (const std::string& entry : form_.Entries()) {
        devices_->addItem(QString::fromStdString(entry));
    }
    level_ = new QProgressBar(this);
    level_->setObjectName(QStringLiteral("prgInputLevel"));
    level_->setRange(static_cast<int>(LevelMeter::kFloorDb), 0);
    level_->setFormat(QStringLiteral("%v dB"));
    latency_ = new QLineEdit(QString::fromStdString(form_.LatencyText()), this);
    latency_->setObjectName(QStringLiteral("txtInputLatency"));
    measure_ = new QPushButton(QStringLiteral("Measure"), this);
    measure_->setObjectName(QStringLiteral("cmdMeasureLatency"));
    measure_->setToolTip(
        QStringLiteral("Fretlux plays a few clicks; hold the microphone near "
                       "the speakers so that it hears them."));
    headphones_ = new QCheckBox(
        QStringLiteral(
            "I listen through headphones, so play along may sound the notes and the metronome"),
        this);
    headphones_->setObjectName(QStringLiteral("chkHeadphones"));
    headphones_->setChecked(form_.Headphones());
    headphones_->setToolTip(
        QStringLiteral("Without headphones, play along sounds no notes and no metronome while "
                       "it listens, as the microphone would take them for yours."));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblInputStatus"));
    status_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    levelTimer_ = new QTimer(this);

    auto* levelRow = new QHBoxLayout;
    levelRow->addWidget(new QLabel(QStringLiteral("Level"), this));
    levelRow->addWidget(level_, 1);
    auto* latencyRow = new QHBoxLayout;
    latencyRow->addWidget(new QLabel(QStringLiteral("Input latency (ms)"), this));
    latencyRow->addWidget(latency_, 1);
    latencyRow->addWidget(measure_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Listen to"), this));
    layout->addWidget(devices_, 1);
    layout->addLayout(levelRow);
    layout->addLayout(latencyRow);
    layout->addWidget(headphones_);
    layout->addWidget(status_);
    layout->addWidget(buttons);

    connect(devices_, &QListWidget::currentRowChanged, this, &InputSettingsDialog::ChooseEntry);
    connect(latency_, &QLineEdit::textEdited, this, [this](const QString& text) {
        form_.SetLatencyText(text.toStdString());
        SyncFromModel();
    });
    connect(headphones_, &QCheckBox::toggled, this, [this](bool on) { form_.SetHeadphones(on); });
    connect(measure_, &QPushButton::clicked, this, &InputSettingsDialog::StartMeasuring);
    connect(levelTimer_, &QTimer::timeout, this, &InputSettingsDialog::ShowLevel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    SyncFromModel();
    OpenLevelMeter();
}

InputSettingsDialog::~InputSettingsDialog() {
    delete measuring_;
    CloseLevelMeter();
}

void InputSettingsDialog::ChooseEntry(int entry) {
    form_.SelectEntry(entry);
    SyncFromModel();
    OpenLevelMeter();
}

void InputSettingsDialog::OpenLevelMeter() {
    CloseLevelMeter();
    if (!form_.AudioSelected() || measuring_ != nullptr) return;
    OpenedAudioInput opened = OpenAudioInput(form_.Choice());
    if (!opened.input) return;
    meter_ = std::make_unique<LevelMeter>();
    if (!opened.input->Start(*meter_)) return;
    meterInput_ = std::move(opened.input);
    levelTimer_->start(kLevelIntervalMs);
}

void InputSettingsDialog::CloseLevelMeter() {
    levelTimer_->stop();
    if (meterInput_) meterInput_->Stop();
    meterInput_.reset();
    meter_.reset();
    level_->setValue(level_->minimum());
}

void InputSettingsDialog::ShowLevel() { level_->setValue(static_cast<int>(meter_->TakePeakDb())); }

void InputSettingsDialog::StartMeasuring() {
    // The device records for one listener at a time.
    CloseLevelMeter();
    measurement_ = {};
    LiveReports reports;
    reports.onset = [this](std::chrono::steady_clock::time_point when) {
        measurement_.Hear(std::chrono::duration<double, std::milli>(when - measureStart_).count());
    };
    measuring_ = new LiveListener(form_.Choice(), std::move(reports), this);
    if (!measuring_->Error().empty()) {
        status_->setText(QString::fromStdString(measuring_->Error()));
        delete measuring_;
        measuring_ = nullptr;
        return;
    }
    measure_->setEnabled(false);
    devices_->setEnabled(false);
    measureStart_ = std::chrono::steady_clock::now();
    for (const int clickMs : LatencyMeasurement::ClickTimes()) {
        QTimer::singleShot(clickMs, Qt::PreciseTimer, this, [this] { click_(); });
    }
    QTimer::singleShot(LatencyMeasurement::ClickTimes().back() + kMeasureTailMs, this,
                       &InputSettingsDialog::FinishMeasuring);
}

void InputSettingsDialog::FinishMeasuring() {
    delete measuring_;
    measuring_ = nullptr;
    form_.TakeMeasuredLatency(measurement_.Result());
    devices_->setEnabled(true);
    SyncFromModel();
    OpenLevelMeter();
}

void InputSettingsDialog::SyncFromModel() {
    const QSignalBlocker blocker(devices_);
    devices_->setCurrentRow(form_.SelectedEntry());
    if (latency_->text().toStdString() != form_.LatencyText()) {
        latency_->setText(QString::fromStdString(form_.LatencyText()));
    }
    level_->setEnabled(form_.AudioSelected());
    measure_->setEnabled(form_.AudioSelected() && measuring_ == nullptr);
    status_->setText(QString::fromStdString(form_.Status()));
    ok_->setEnabled(form_.CanSave());
}

}  // namespace fretlux
