// SPDX-License-Identifier: MIT
// Measures the window's play timer for real: ticks of the IntervalTimer against the ideal
// schedule start + k x interval, at the fastest tempo (3 ms) and at the start-up tempo (123 ms).
// For comparison it measures a plain repeating precise QTimer the same way, and then the player
// itself on its IntervalTimers with a count-in and the metronome on, looping a bar of six-note
// chords into the built-in synthesiser: its play ticks against the same schedule, and the ends
// of its clicks against 30 ms after the tick that sounded them.
// Usage: timer_probe [ticks] [interval-ms ...]
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/control_models.h"
#include "app/fretlux_form.h"
#include "app/headless_host.h"
#include "document/tab_file_reader.h"
#include "sound/fluidsynth_output.h"
#include "ui/interval_timer.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Lateness {
    double median = 0;
    double p99 = 0;
    double worst = 0;
    // The median lateness of the last tenth of the ticks less that of the first tenth: how far
    // the schedule slid over the run, whatever single ticks did.
    double drift = 0;
};

double MedianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Lateness in milliseconds of tick k (1-based) against start + k x interval.
Lateness Measure(const std::vector<Clock::time_point>& ticks, Clock::time_point start,
                 int intervalMs) {
    std::vector<double> late;
    for (std::size_t k = 0; k < ticks.size(); ++k) {
        const auto ideal = start + std::chrono::milliseconds(intervalMs * (k + 1));
        late.push_back(std::chrono::duration<double, std::milli>(ticks[k] - ideal).count());
    }
    Lateness result;
    const std::size_t tenth = std::max<std::size_t>(1, late.size() / 10);
    result.drift =
        MedianOf({late.end() - tenth, late.end()}) - MedianOf({late.begin(), late.begin() + tenth});
    std::sort(late.begin(), late.end());
    result.median = late[late.size() / 2];
    result.p99 = late[std::min(late.size() - 1, late.size() * 99 / 100)];
    result.worst = late.back();
    return result;
}

void Report(const char* timer, int intervalMs, std::size_t ticks, const Lateness& l) {
    std::printf(
        "%-22s %4d ms x %zu ticks: lateness median %.3f ms, p99 %.3f ms, worst %.3f ms;"
        " drift %.3f ms\n",
        timer, intervalMs, ticks, l.median, l.p99, l.worst, l.drift);
}

Lateness ProbeIntervalTimer(int intervalMs, int count) {
    fretlux::TimerModel model;
    std::vector<Clock::time_point> ticks;
    ticks.reserve(count);
    fretlux::IntervalTimer timer(model, [&] {
        ticks.push_back(Clock::now());
        if (static_cast<int>(ticks.size()) == count) {
            model.SetInterval(0);
            QCoreApplication::quit();
        }
    });
    const Clock::time_point start = Clock::now();
    model.SetInterval(intervalMs);
    QCoreApplication::exec();
    return Measure(ticks, start, intervalMs);
}

Lateness ProbeRepeatingQTimer(int intervalMs, int count) {
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    std::vector<Clock::time_point> ticks;
    ticks.reserve(count);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ticks.push_back(Clock::now());
        if (static_cast<int>(ticks.size()) == count) {
            timer.stop();
            QCoreApplication::quit();
        }
    });
    const Clock::time_point start = Clock::now();
    timer.start(intervalMs);
    QCoreApplication::exec();
    return Measure(ticks, start, intervalMs);
}

// A bar of four beats, each a six-note chord and three rests (a plain TAB line needs its dashes),
// two shapes in turn, so that every chord changes every string.
constexpr const char* kChordBar =
    "Chords\n"
    "e|0---3---0---3---|\n"
    "B|1---3---1---3---|\n"
    "G|0---2---0---2---|\n"
    "D|2---0---2---0---|\n"
    "A|3---2---3---2---|\n"
    "E|0---3---0---3---|\n";

struct PlayerTimes {
    Lateness ticks;
    Lateness clickEnds;
    std::size_t clicks = 0;
};

// intervalMs must be a multiple of 3, as the Tempo bar makes them.
PlayerTimes ProbePlayerWithMetronome(int intervalMs, int count) {
    fretlux::FluidSynthOutput synthesiser(fretlux::FluidSynthOptions{
        fretlux::SoundfontChoice{fretlux::kTimGm6mbSoundfont, false}, false});
    fretlux::HeadlessHost host(synthesiser);
    fretlux::FretluxForm form(host);
    form.StartUp();
    synthesiser.WaitUntilSetUp();
    form.ShowReadDocument(fretlux::ReadTabBytes(kChordBar, fretlux::TabForm::Plain).document);
    form.Controls().hscTempo.SetValue(intervalMs / fretlux::kTempoUnitMs);
    fretlux::PracticeSettings practice;
    practice.countInBars = 1;
    practice.metronome = true;
    fretlux::Player& player = form.Playback();
    player.ChangePractice(practice);
    // The bar's sixteen columns loop until the probe has its ticks.
    form.SelectColumns(1, 16);

    std::vector<Clock::time_point> ticks;
    std::vector<double> clickEnds;
    Clock::time_point lastClick;
    ticks.reserve(count);
    fretlux::IntervalTimer playTimer(player.PlayTimer(), [&] {
        ticks.push_back(Clock::now());
        player.PlayTick();
        if (player.ClickTimer().Interval() > 0) lastClick = ticks.back();
        if (static_cast<int>(ticks.size()) == count) {
            player.Stop();
            QCoreApplication::quit();
        }
    });
    fretlux::IntervalTimer clickTimer(player.ClickTimer(), [&] {
        const auto due = lastClick + std::chrono::milliseconds(fretlux::kClickLengthMs);
        clickEnds.push_back(std::chrono::duration<double, std::milli>(Clock::now() - due).count());
        player.ClickTick();
    });
    const Clock::time_point start = Clock::now();
    player.Start();
    if (!player.Playing()) {
        std::fprintf(stderr, "the chord bar did not play\n");
        return {};
    }
    QCoreApplication::exec();

    PlayerTimes times;
    times.ticks = Measure(ticks, start, intervalMs);
    times.clicks = clickEnds.size();
    if (!clickEnds.empty()) {
        std::sort(clickEnds.begin(), clickEnds.end());
        times.clickEnds.median = clickEnds[clickEnds.size() / 2];
        times.clickEnds.p99 =
            clickEnds[std::min(clickEnds.size() - 1, clickEnds.size() * 99 / 100)];
        times.clickEnds.worst = clickEnds.back();
    }
    return times;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    std::vector<int> intervals;
    for (int i = 2; i < argc; ++i) intervals.push_back(std::atoi(argv[i]));
    if (intervals.empty()) intervals = {3, 123};
    for (const int interval : intervals) {
        Report("IntervalTimer", interval, count, ProbeIntervalTimer(interval, count));
        Report("repeating QTimer", interval, count, ProbeRepeatingQTimer(interval, count));
        const PlayerTimes player = ProbePlayerWithMetronome(interval, count);
        Report("player, metronome on", interval, count, player.ticks);
        if (player.clicks > 0) {
            std::printf(
                "%-22s %4d ms x %zu clicks: end late median %.3f ms, p99 %.3f ms, worst %.3f ms\n",
                "  clicks ended at 30 ms", interval, player.clicks, player.clickEnds.median,
                player.clickEnds.p99, player.clickEnds.worst);
        }
    }
    return 0;
}
