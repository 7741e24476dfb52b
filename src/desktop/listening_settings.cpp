// SPDX-License-Identifier: MIT
#include "desktop/listening_settings.h"

#include <QSettings>
#include <algorithm>

namespace fretlux {
namespace {

const QString kInputKind = QStringLiteral("input/kind");
const QString kInputDevice = QStringLiteral("input/device");
const QString kInputLatency = QStringLiteral("input/latencyMs");
const QString kInputHeadphones = QStringLiteral("input/headphones");
const QString kBestScores = QStringLiteral("playAlong/bestScores");

}  // namespace

InputChoice LoadInputChoice() {
    const QSettings settings;
    InputChoice choice;
    const QString kind = settings.value(kInputKind).toString();
    if (kind == QStringLiteral("audio")) choice.kind = InputKind::Audio;
    if (kind == QStringLiteral("midi")) choice.kind = InputKind::Midi;
    choice.device = settings.value(kInputDevice).toString().toStdString();
    choice.latencyMs =
        std::clamp(settings.value(kInputLatency, 0).toInt(), 0, kLongestInputLatencyMs);
    choice.headphones = settings.value(kInputHeadphones, false).toBool();
    return choice;
}

void SaveInputChoice(const InputChoice& choice) {
    QSettings settings;
    const char* kind = choice.kind == InputKind::Audio  ? "audio"
                       : choice.kind == InputKind::Midi ? "midi"
                                                        : "none";
    settings.setValue(kInputKind, QString::fromLatin1(kind));
    settings.setValue(kInputDevice, QString::fromStdString(choice.device));
    settings.setValue(kInputLatency, choice.latencyMs);
    settings.setValue(kInputHeadphones, choice.headphones);
}

std::string LoadBestScoresText() { return QSettings().value(kBestScores).toString().toStdString(); }

void SaveBestScoresText(const std::string& text) {
    QSettings().setValue(kBestScores, QString::fromStdString(text));
}

}  // namespace fretlux
