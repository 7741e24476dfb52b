// SPDX-License-Identifier: MIT
// How soon the live listener reaches a verdict, and what listening costs: plucked single notes
// and strummed chords made here (or a WAVE file named on the command line) are played in real
// time in the microphone's place, as FRETLUX_INPUT_FILE does, into the analysis thread. Each
// heard onset is judged as play-along judges it; prints the delay from a note's onset in the
// input to its verdict (the first hearing that judges it right, else its whole hearing; for a
// strummed chord, from its first string and from its last), the
// share judged right at the first hearing, the tuner's readings per second, and the process's CPU
// time per second of listening. The device's own buffering is not part of it.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>
#include <numbers>
#include <optional>
#include <thread>
#include <vector>

#include "input/sample_clock.h"
#include "input/wave_file_input.h"
#include "listening/analysis_thread.h"
#include "listening/pitch_names.h"
#include "listening/tuning_follower.h"
#include "listening/wave_reader.h"

namespace {

using fretlux::MonoAudio;
using Clock = std::chrono::steady_clock;

struct PlayedColumn {
    std::int64_t onsetSample;
    std::int64_t lastStringSample;  // where a strum's last string begins
    std::vector<int> notes;
};

struct Performance {
    MonoAudio audio;
    std::vector<PlayedColumn> columns;
};

// One plucked string: its partials stretched a little, each fading faster than the one below.
void Pluck(MonoAudio& audio, std::size_t start, int note, double seconds) {
    const double hertz = fretlux::FrequencyOfNote(note);
    const int rate = audio.sampleRate;
    const std::size_t length =
        std::min(static_cast<std::size_t>(seconds * rate),
                 audio.samples.size() - std::min(start, audio.samples.size()));
    for (int k = 1; k <= 10 && k * hertz < 0.45 * rate; ++k) {
        const double partial = k * hertz * std::sqrt(1.0 + 1e-4 * k * k);
        const double level = std::fabs(std::sin(k * std::numbers::pi * 0.2)) / k;
        for (std::size_t i = 0; i < length; ++i) {
            const double t = static_cast<double>(i) / rate;
            audio.samples[start + i] +=
                static_cast<float>(0.12 * level * std::exp(-t * 2.0 * k) *
                                   std::sin(2 * std::numbers::pi * partial * t));
        }
    }
}

// A scale of single notes from A2 up, then open chords strummed downwards, 6 ms a string.
Performance PluckedPerformance(int rate) {
    const std::vector<std::vector<int>> columns = {{45},
                                                   {47},
                                                   {48},
                                                   {50},
                                                   {52},
                                                   {53},
                                                   {55},
                                                   {57},
                                                   {59},
                                                   {60},
                                                   {62},
                                                   {64},
                                                   {65},
                                                   {67},
                                                   {40, 47, 52, 56, 59, 64},
                                                   {45, 52, 57, 61, 64},
                                                   {50, 57, 62, 66},
                                                   {43, 47, 50, 55, 59, 67},
                                                   {40, 47, 52, 55, 59, 64},
                                                   {45, 52, 57, 60, 64}};
    const double spacing = 0.6;
    Performance performance{
        {rate, std::vector<float>(static_cast<std::size_t>(rate * spacing * (columns.size() + 1)))},
        {}};
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const auto start =
            static_cast<std::size_t>((static_cast<double>(c) + 0.5) * spacing * rate);
        for (std::size_t s = 0; s < columns[c].size(); ++s) {
            Pluck(performance.audio, start + s * static_cast<std::size_t>(0.006 * rate),
                  columns[c][s], spacing);
        }
        const std::size_t strum = (columns[c].size() - 1) * static_cast<std::size_t>(0.006 * rate);
        performance.columns.push_back({static_cast<std::int64_t>(start),
                                       static_cast<std::int64_t>(start + strum), columns[c]});
    }
    return performance;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& v) { return v.tv_sec + v.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void PrintDelays(const char* what, std::vector<double> delays) {
    if (delays.empty()) return;
    std::sort(delays.begin(), delays.end());
    std::printf("%s %zu: verdict after median %.1f ms, longest %.1f ms\n", what, delays.size(),
                delays[delays.size() / 2], delays.back());
}

class AnalysisSink final : public fretlux::SampleSink {
public:
    explicit AnalysisSink(fretlux::AnalysisThread*& analysis) : analysis_(analysis) {}
    void Take(std::span<const float> samples) noexcept override { analysis_->Push(samples); }

private:
    fretlux::AnalysisThread*& analysis_;
};

// A played column's verdict as it stands: when it came and whether it was right.
struct Verdict {
    double delayMs = 0;  // from the column's onset
    double afterLastStringMs = 0;
    bool right = false;
    bool beforeWholeHearing = false;
    bool whole = false;
};

}  // namespace

int main(int argc, char** argv) {
    Performance performance;
    if (argc > 1) {
        fretlux::TakeReading take = fretlux::ReadTakeFile(argv[1]);
        if (!take.audio) {
            std::fprintf(stderr, "%s\n", take.error.c_str());
            return 1;
        }
        performance.audio = std::move(*take.audio);
    } else {
        performance = PluckedPerformance(44100);
    }
    const int rate = performance.audio.sampleRate;
    const double seconds = static_cast<double>(performance.audio.samples.size()) / rate;
    // Without the truth, every onset is judged as if a six-string chord were expected, the
    // costliest judging there is.
    const std::vector<int> standIn{40, 47, 52, 56, 59, 64};

    std::mutex mutex;
    std::map<std::int64_t, Verdict> verdicts;  // by the played column's onset, or the heard one
    int readings = 0;
    fretlux::AnalysisThread* analysis = nullptr;
    AnalysisSink sink(analysis);
    fretlux::SampleClock clock(sink, rate);
    const auto played = [&](std::int64_t onset) -> std::optional<PlayedColumn> {
        for (const PlayedColumn& column : performance.columns) {
            if (std::llabs(column.onsetSample - onset) < rate / 10) return column;
        }
        return std::nullopt;
    };
    // Play along follows the guitar's tuning from the whole hearings; the analysis thread alone
    // calls reports.sound, so it needs no lock.
    fretlux::TuningFollower tuning;
    fretlux::ListeningReports reports;
    reports.reading = [&](const fretlux::TunerReading&) {
        const std::lock_guard lock(mutex);
        ++readings;
    };
    reports.sound = [&](std::shared_ptr<const fretlux::OnsetSound> sound) {
        if (sound->onsets.faint) return;
        const std::optional<PlayedColumn> column = played(sound->onsetSample);
        const std::vector<int>& expected = column ? column->notes : standIn;
        tuning.Hear(*sound, expected);
        const bool right = fretlux::NotesBegun(*sound, expected, tuning.OffsetCents()) == expected;
        const std::int64_t onset = column ? column->onsetSample : sound->onsetSample;
        const Clock::time_point now = Clock::now();
        const auto since = [&](std::int64_t sample) {
            return std::chrono::duration<double, std::milli>(now - clock.TimeOf(sample)).count();
        };
        const std::lock_guard lock(mutex);
        Verdict& verdict = verdicts[onset];
        if (verdict.right || verdict.whole) return;
        verdict = {since(onset), since(column ? column->lastStringSample : onset), right,
                   !sound->whole && right, sound->whole};
    };
    fretlux::AnalysisThread thread(rate, std::move(reports));
    analysis = &thread;
    fretlux::WaveFileInput input(rate, std::move(performance.audio.samples));
    const double cpuBefore = CpuSeconds();
    input.Start(clock);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds + 0.5));
    input.Stop();
    thread.Stop();
    const double cpu = CpuSeconds() - cpuBefore;

    const std::lock_guard lock(mutex);
    std::vector<double> singles, chords, afterLastString, all;
    int right = 0, beforeWhole = 0, unplayed = 0;
    for (const auto& [onset, verdict] : verdicts) {
        const std::optional<PlayedColumn> column = played(onset);
        all.push_back(verdict.delayMs);
        if (!column) {
            ++unplayed;
        } else if (column->notes.size() > 1) {
            chords.push_back(verdict.delayMs);
            afterLastString.push_back(verdict.afterLastStringMs);
        } else {
            singles.push_back(verdict.delayMs);
        }
        right += verdict.right;
        beforeWhole += verdict.beforeWholeHearing;
    }
    if (performance.columns.empty()) {
        PrintDelays("onsets", all);
    } else {
        PrintDelays("single notes", singles);
        PrintDelays("chords from the first string", chords);
        PrintDelays("chords from the last string", afterLastString);
        std::printf(
            "columns %zu played, %zu heard, %d judged right, %d of them before the whole "
            "hearing; %d onsets where nothing was played\n",
            performance.columns.size(), verdicts.size() - unplayed, right, beforeWhole, unplayed);
    }
    std::printf("tuner readings %.1f a second\n", readings / (seconds + 0.5));
    std::printf("CPU %.1f %% of one core\n", 100.0 * cpu / (seconds + 0.5));
    std::printf("samples dropped %llu\n", static_cast<unsigned long long>(thread.DroppedSamples()));
    return 0;
}
