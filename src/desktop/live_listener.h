// SPDX-License-Identifier: MIT
// The listener at work for a window: the input chosen in Settings > Input (or the file
// FRETLUX_INPUT_FILE names) feeds the analysis thread, and what it finds reaches the window on
// the window's own thread, its times put on the steady clock the player keeps time by.
#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "input/audio_input.h"
#include "input/input_choice.h"
#include "listening/onset_sound.h"
#include "listening/tuner.h"

namespace fretlux {

class AnalysisThread;
class SampleClock;

struct LiveReports {
    std::function<void(const TunerReading&)> reading;
    std::function<void(std::chrono::steady_clock::time_point)> onset;
    // The sound around an onset, heard first soon after it and then whole.
    std::function<void(std::chrono::steady_clock::time_point, std::shared_ptr<const OnsetSound>)>
        sound;
    // See ListeningReports::unswelled.
    bool unswelled = false;
};

class LiveListener final : public QObject {
public:
    // Starts listening at once; Error() says why when there is nothing to listen to.
    LiveListener(const InputChoice& choice, LiveReports reports, QObject* parent);
    ~LiveListener() override;

    const std::string& Error() const { return error_; }
    // The student should begin notes when the input hears the moment when; see
    // AnalysisThread::ExpectNotes.
    void ExpectNotes(std::chrono::steady_clock::time_point when, const std::vector<int>& notes,
                     double offsetCents);
    int SampleRate() const { return input_ ? input_->SampleRate() : 0; }
    bool RecordsTheRoom() const { return input_ && input_->RecordsTheRoom(); }

private:
    class AnalysisSink;

    LiveReports reports_;
    std::string device_;
    std::string error_;
    // Torn down from the input inwards: no sample arrives once the input has stopped.
    std::unique_ptr<AnalysisThread> analysis_;
    std::unique_ptr<AnalysisSink> sink_;
    std::unique_ptr<SampleClock> clock_;
    std::unique_ptr<AudioInput> input_;
};

}  // namespace fretlux
