// SPDX-License-Identifier: MIT
// The Input settings window, listening to the recording FRETLUX_INPUT_FILE names in the
// microphone's place: its level meter follows the input, and Measure times the clicks' echo.
#include "desktop/input_settings_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <fstream>
#include <numbers>
#include <vector>

#include "input/open_audio_input.h"
#include "playback/wave_file.h"

namespace fretlux {
namespace {

constexpr int kRate = 44100;
constexpr int kEchoMs = 150;

// What a microphone hears of the measurement: each click comes back kEchoMs after Fretlux
// sounds it, as a short, quickly fading tick, with silence between.
std::string EchoedClicks() {
    const int lastClickMs = LatencyMeasurement::ClickTimes().back();
    std::vector<float> samples(
        static_cast<std::size_t>((lastClickMs + kEchoMs + 1000) * kRate / 1000));
    for (const int clickMs : LatencyMeasurement::ClickTimes()) {
        const auto start = static_cast<std::size_t>((clickMs + kEchoMs) * kRate / 1000);
        for (std::size_t i = 0; i < kRate / 20; ++i) {
            const double t = static_cast<double>(i) / kRate;
            samples[start + i] = static_cast<float>(0.5 * std::exp(-t * 150.0) *
                                                    std::sin(2 * std::numbers::pi * 1500 * t));
        }
    }
    std::string bytes = WaveHeader(kRate, samples.size());
    AppendPcmFrames(bytes, samples, samples);
    return bytes;
}

template <typename Widget>
Widget* Child(const QDialog& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QPushButton* OkButton(const QDialog& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

void TypeLatency(QLineEdit* latency, const char* text) {
    latency->selectAll();
    QTest::keyClick(latency, Qt::Key_Backspace);
    QTest::keyClicks(latency, QString::fromLatin1(text));
}

class InputSettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString path = directory_.filePath(QStringLiteral("echoed-clicks.wav"));
        std::ofstream(path.toStdString(), std::ios::binary) << EchoedClicks();
        qputenv(kInputFileVariable, path.toLocal8Bit());
    }
    void TearDown() override { qunsetenv(kInputFileVariable); }

    QTemporaryDir directory_;
    InputSettingsForm form_{InputChoice{InputKind::Audio, "", 0},
                            InputDevices{{"USB microphone"}, {"MIDI guitar"}}};
};

TEST_F(InputSettingsDialogTest, MeasuresTheLatencyFromTheClicksThatTheInputHears) {
    int clicks = 0;
    InputSettingsDialog dialog(
        form_, [&] { ++clicks; }, nullptr);
    dialog.show();
    auto* level = Child<QProgressBar>(dialog, "prgInputLevel");
    EXPECT_TRUE(QTest::qWaitFor([&] { return level->value() > -20; }, 2000))
        << "the meter shows the clicks";

    QTest::mouseClick(Child<QPushButton>(dialog, "cmdMeasureLatency"), Qt::LeftButton);
    EXPECT_FALSE(Child<QListWidget>(dialog, "lstInputDevices")->isEnabled());
    auto* latency = Child<QLineEdit>(dialog, "txtInputLatency");
    ASSERT_TRUE(QTest::qWaitFor([&] { return latency->text() != QStringLiteral("0"); }, 8000));
    EXPECT_EQ(clicks, LatencyMeasurement::kClicks);
    EXPECT_NEAR(latency->text().toInt(), kEchoMs, 25);
    EXPECT_TRUE(Child<QListWidget>(dialog, "lstInputDevices")->isEnabled());
    EXPECT_TRUE(Child<QLabel>(dialog, "lblInputStatus")->text().isEmpty());
}

TEST_F(InputSettingsDialogTest, OkWaitsForALatencyInRangeAndOnlyAnAudioDeviceIsMetered) {
    InputSettingsDialog dialog(
        form_, [] {}, nullptr);
    auto* latency = Child<QLineEdit>(dialog, "txtInputLatency");
    auto* status = Child<QLabel>(dialog, "lblInputStatus");
    for (const char* bad : {"", "fast", "-5", "1001", "12ms"}) {
        TypeLatency(latency, bad);
        EXPECT_FALSE(OkButton(dialog)->isEnabled()) << bad;
        EXPECT_EQ(status->text(),
                  QStringLiteral("The latency is a number of milliseconds from 0 to 1000."))
            << bad;
    }
    TypeLatency(latency, "35");
    EXPECT_TRUE(OkButton(dialog)->isEnabled());
    EXPECT_TRUE(status->text().isEmpty());
    EXPECT_EQ(form_.Choice().latencyMs, 35);

    auto* devices = Child<QListWidget>(dialog, "lstInputDevices");
    ASSERT_EQ(devices->count(), 3);
    devices->setCurrentRow(2);
    EXPECT_EQ(form_.Choice(), (InputChoice{InputKind::Midi, "MIDI guitar", 35}));
    EXPECT_FALSE(Child<QProgressBar>(dialog, "prgInputLevel")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(dialog, "cmdMeasureLatency")->isEnabled());
    devices->setCurrentRow(1);
    EXPECT_TRUE(Child<QPushButton>(dialog, "cmdMeasureLatency")->isEnabled());
    Child<QCheckBox>(dialog, "chkHeadphones")->setChecked(true);
    EXPECT_TRUE(form_.Choice().headphones);
}

}  // namespace
}  // namespace fretlux
