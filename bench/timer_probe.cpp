// SPDX-License-Identifier: MIT
// Measures the window's play timer for real: ticks of the IntervalTimer against the ideal
// schedule start + k x interval, at the fastest tempo (3 ms) and at the start-up tempo (123 ms).
// For comparison it measures a plain repeating precise QTimer the same way.
// Usage: timer_probe [ticks] [interval-ms ...]
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/control_models.h"
#include "ui/interval_timer.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Lateness {
    double median = 0;
    double p99 = 0;
    double worst = 0;
    double last = 0;
};

// Lateness in milliseconds of tick k (1-based) against start + k x interval.
Lateness Measure(const std::vector<Clock::time_point>& ticks, Clock::time_point start,
                 int intervalMs) {
    std::vector<double> late;
    for (std::size_t k = 0; k < ticks.size(); ++k) {
        const auto ideal = start + std::chrono::milliseconds(intervalMs * (k + 1));
        late.push_back(std::chrono::duration<double, std::milli>(ticks[k] - ideal).count());
    }
    Lateness result;
    result.last = late.back();
    std::sort(late.begin(), late.end());
    result.median = late[late.size() / 2];
    result.p99 = late[std::min(late.size() - 1, late.size() * 99 / 100)];
    result.worst = late.back();
    return result;
}

void Report(const char* timer, int intervalMs, std::size_t ticks, const Lateness& l) {
    std::printf(
        "%-22s %4d ms x %zu ticks: lateness median %.3f ms, p99 %.3f ms, worst %.3f ms;"
        " drift at the end %.3f ms\n",
        timer, intervalMs, ticks, l.median, l.p99, l.worst, l.last);
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
    }
    return 0;
}
