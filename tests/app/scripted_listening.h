// SPDX-License-Identifier: MIT
// Listening whose clock and heard onsets the test drives, and whose windows are only counted.
#pragma once

#include <functional>
#include <string>

#include "app/listening_host.h"

namespace fretlux::testing {

class ScriptedListening final : public ListeningHost {
public:
    std::string StartListening(PlayAlongMode,
                               std::function<void(const HeardOnset&)> heard) override {
        if (!listenError.empty()) return listenError;
        heard_ = std::move(heard);
        listening = true;
        return {};
    }
    void StopListening() override {
        heard_ = nullptr;
        listening = false;
    }
    bool HearsSpeakers() override { return hearsSpeakers; }
    void ExpectNotes(std::int64_t atMs, const std::vector<int>& notes, double) override {
        expected.push_back({atMs, notes});
    }
    std::int64_t NowMs() override { return nowMs; }
    std::int64_t HeardUntilMs() override { return nowMs - hearingMs; }
    void ShowInputSettings() override { ++inputSettingsShown; }
    void ShowTuner() override { ++tunerShown; }
    std::string BestScoresText() override { return bestScores; }
    void SaveBestScoresText(const std::string& text) override { bestScores = text; }

    // The student plays notes that begin at the given time on the clock.
    void Hear(std::int64_t atMs, std::vector<int> notes) {
        if (heard_) heard_({static_cast<double>(atMs), std::move(notes)});
    }

    std::int64_t nowMs = 1000;
    // How long after an onset its whole hearing comes, the input latency included.
    std::int64_t hearingMs = 200;
    std::string listenError;
    bool listening = false;
    bool hearsSpeakers = true;
    int inputSettingsShown = 0;
    int tunerShown = 0;
    std::string bestScores;
    struct Expected {
        std::int64_t atMs;
        std::vector<int> notes;
    };
    std::vector<Expected> expected;

private:
    std::function<void(const HeardOnset&)> heard_;
};

}  // namespace fretlux::testing
