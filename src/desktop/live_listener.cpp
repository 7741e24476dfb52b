// SPDX-License-Identifier: MIT
#include "desktop/live_listener.h"

#include <QMetaObject>
#include <map>
#include <string>

#include "input/open_audio_input.h"
#include "input/sample_clock.h"
#include "listening/analysis_thread.h"

namespace fretlux {

namespace {

// The loudest playing heard on each audio input while Fretlux runs, by the device's name: a
// listener starts at the gain it needs, so that after the tuner, say, play-along hears quiet
// playing from its first note.
std::map<std::string, double>& LoudestPlayingHeard() {
    static std::map<std::string, double> loudest;
    return loudest;
}

}  // namespace

class LiveListener::AnalysisSink final : public SampleSink {
public:
    explicit AnalysisSink(AnalysisThread& analysis) : analysis_(analysis) {}
    void Take(std::span<const float> samples) noexcept override { analysis_.Push(samples); }

private:
    AnalysisThread& analysis_;
};

LiveListener::LiveListener(const InputChoice& choice, LiveReports reports, QObject* parent)
    : QObject(parent), reports_(std::move(reports)), device_(choice.device) {
    OpenedAudioInput opened = OpenAudioInput(choice);
    if (!opened.input) {
        error_ = opened.error;
        return;
    }
    const int rate = opened.input->SampleRate();
    // The analysis thread reports on its own thread; each report is posted to this object's
    // thread, and Qt drops what is still posted when the object goes.
    auto onWindowThread = [this](auto work) {
        QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
    };
    // Only what the window asked for is reported, and so worked out.
    ListeningReports analysisReports;
    if (reports_.reading) {
        analysisReports.reading = [this, onWindowThread](const TunerReading& reading) {
            onWindowThread([this, reading] { reports_.reading(reading); });
        };
    }
    if (reports_.onset) {
        analysisReports.onset = [this, onWindowThread](std::int64_t sample) {
            const auto when = clock_->TimeOf(sample);
            onWindowThread([this, when] { reports_.onset(when); });
        };
    }
    if (reports_.sound) {
        analysisReports.sound = [this, onWindowThread](std::shared_ptr<const OnsetSound> sound) {
            const auto when = clock_->TimeOf(sound->onsetSample);
            onWindowThread([this, when, sound = std::move(sound)] { reports_.sound(when, sound); });
        };
    }
    analysisReports.unswelled = reports_.unswelled;
    analysis_ = std::make_unique<AnalysisThread>(rate, std::move(analysisReports),
                                                 AnalysisThread::kRingSeconds,
                                                 LoudestPlayingHeard()[device_]);
    sink_ = std::make_unique<AnalysisSink>(*analysis_);
    clock_ = std::make_unique<SampleClock>(*sink_, rate);
    input_ = std::move(opened.input);
    if (!input_->Start(*clock_)) {
        error_ = "No audio input: " + input_->Error() + ".";
        input_.reset();
    }
}

void LiveListener::ExpectNotes(std::chrono::steady_clock::time_point when,
                               const std::vector<int>& notes, double offsetCents) {
    if (!analysis_ || !clock_) return;
    if (const auto sample = clock_->SampleAt(when)) {
        analysis_->ExpectNotes(*sample, notes, offsetCents);
    }
}

LiveListener::~LiveListener() {
    if (input_) input_->Stop();
    if (!analysis_) return;
    analysis_->Stop();
    LoudestPlayingHeard()[device_] = analysis_->LoudestPlaying();
}

}  // namespace fretlux
