// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "app/listening_host.h"
#include "playback/midi_output.h"

class QWidget;

namespace fretlux {

class PlayAlongListening;

// Listening for the window with Qt: the input chosen and remembered in Settings ▸ Input, the
// Input settings and Tuner windows over the main window, the best scores in the settings.
class QtListeningHost final : public ListeningHost {
public:
    // The windows stand over window's answer, which may be none; the latency measurement's
    // clicks sound through output's, unless it has none.
    QtListeningHost(std::function<QWidget*()> window, std::function<MidiOutput*()> output);
    ~QtListeningHost() override;

    std::string StartListening(PlayAlongMode mode,
                               std::function<void(const HeardOnset&)> heard) override;
    void StopListening() override;
    bool HearsSpeakers() override;
    void ExpectNotes(std::int64_t atMs, const std::vector<int>& notes, double offsetCents) override;
    std::int64_t NowMs() override;
    std::int64_t HeardUntilMs() override;
    void ShowInputSettings() override;
    void ShowTuner() override;
    std::string BestScoresText() override;
    void SaveBestScoresText(const std::string& text) override;

private:
    std::function<QWidget*()> window_;
    std::function<MidiOutput*()> output_;
    const std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
    std::unique_ptr<PlayAlongListening> listening_;
};

}  // namespace fretlux
