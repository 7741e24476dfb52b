// SPDX-License-Identifier: MIT
// The Tuner window hears the recording FRETLUX_INPUT_FILE names, played in real time in the
// microphone's place, and shows what its model reads.
#include "desktop/tuner_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <fstream>
#include <numbers>
#include <vector>

#include "desktop/tuner_needle.h"
#include "playback/wave_file.h"

namespace fretlux {
namespace {

constexpr int kRate = 44100;

// A plucked string: six partials, the higher ones weaker and quicker to fade, plucked again
// every second so that it sounds all the time the test listens.
std::string PluckedString(double hertz, double seconds) {
    std::vector<float> samples(static_cast<std::size_t>(seconds * kRate));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i % kRate) / kRate;
        double value = 0.0;
        for (int k = 1; k <= 6; ++k) {
            value += std::exp(-t * 1.5 * k) / k * std::sin(2 * std::numbers::pi * hertz * k * t);
        }
        samples[i] = static_cast<float>(0.3 * value);
    }
    std::string bytes = WaveHeader(kRate, samples.size());
    AppendPcmFrames(bytes, samples, samples);
    return bytes;
}

QString LabelText(const QWidget& window, const char* name) {
    return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

TEST(TunerDialog, ShowsTheStringTheNoteAndTheCentsOfWhatTheInputFilePlays) {
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("a-string-sharp.wav"));
    // The A string ten cents sharp.
    std::ofstream(path.toStdString(), std::ios::binary)
        << PluckedString(110.0 * std::pow(2.0, 10.0 / 1200.0), 4.0);
    qputenv("FRETLUX_INPUT_FILE", path.toLocal8Bit());

    TunerDialog tuner(InputChoice{}, nullptr);
    tuner.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !LabelText(tuner, "lblTunerNote").isEmpty(); }, 3000));
    EXPECT_EQ(LabelText(tuner, "lblTunerString"), QStringLiteral("String 5 (A)"));
    EXPECT_EQ(LabelText(tuner, "lblTunerNote"), QStringLiteral("A2"));
    const auto* needle =
        dynamic_cast<TunerNeedle*>(tuner.findChild<QWidget*>(QStringLiteral("tunerNeedle")));
    ASSERT_NE(needle, nullptr);
    // The first reading may catch the pluck's start; the next ones settle on the string.
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::fabs(needle->Cents() - 10.0) < 1.0; }, 1000));
    EXPECT_FALSE(needle->InTune());
    EXPECT_TRUE(LabelText(tuner, "lblTunerCents").startsWith(QStringLiteral("+")));

    qputenv("FRETLUX_INPUT_FILE", directory.filePath(QStringLiteral("missing.wav")).toLocal8Bit());
    TunerDialog deaf(InputChoice{}, nullptr);
    EXPECT_TRUE(LabelText(deaf, "lblTunerString").contains(QStringLiteral("missing.wav")));
    qunsetenv("FRETLUX_INPUT_FILE");
}

}  // namespace
}  // namespace fretlux
