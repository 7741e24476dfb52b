// SPDX-License-Identifier: MIT
#include "desktop/live_listener.h"

#include <QMetaObject>

#include "input/open_audio_input.h"
#include "input/sample_clock.h"
#include "listening/analysis_thread.h"

namespace fretlux {

class LiveListener::AnalysisSink final : public SampleSink {
public:
    explicit AnalysisSink(AnalysisThread& analysis) : analysis_(analysis) {}
    void Take(std::span<const float> samples) noexcept override { analysis_.Push(samples); }

private:
    AnalysisThread& analysis_;
};

LiveListener::LiveListener(const InputChoice& choice, LiveReports reports, QObject* parent)
    : QObject(parent), reports_(std::move(reports)) {
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
    ListeningReports analysisReports;
    analysisReports.reading = [this, onWindowThread](const TunerReading& reading) {
        onWindowThread([this, reading] {
            if (reports_.reading) reports_.reading(reading);
        });
    };
    analysisReports.onset = [this, onWindowThread](std::int64_t sample) {
        const auto when = clock_->TimeOf(sample);
        onWindowThread([this, when] {
            if (reports_.onset) reports_.onset(when);
        });
    };
    analysisReports.sound = [this, onWindowThread](std::shared_ptr<const OnsetSound> sound) {
        const auto when = clock_->TimeOf(sound->onsetSample);
        onWindowThread([this, when, sound = std::move(sound)] {
            if (reports_.sound) reports_.sound(when, sound);
        });
    };
    analysis_ = std::make_unique<AnalysisThread>(rate, std::move(analysisReports));
    sink_ = std::make_unique<AnalysisSink>(*analysis_);
    clock_ = std::make_unique<SampleClock>(*sink_, rate);
    input_ = std::move(opened.input);
    if (!input_->Start(*clock_)) {
        error_ = "No audio input: " + input_->Error() + ".";
        input_.reset();
    }
}

LiveListener::~LiveListener() {
    if (input_) input_->Stop();
    if (analysis_) analysis_->Stop();
}

}  // namespace fretlux
