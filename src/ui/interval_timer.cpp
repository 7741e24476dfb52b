// SPDX-License-Identifier: MIT
#include "ui/interval_timer.h"

#include <algorithm>
#include <chrono>

namespace fretlux {

namespace {

using Clock = TickSchedule::Clock;

// The event loop waits in whole milliseconds, so the timer is armed for the whole milliseconds
// left and the last fraction is waited out by re-arming at once; a tick is run when it is due
// within this margin.
constexpr auto kDueMargin = std::chrono::microseconds(100);

}  // namespace

IntervalTimer::IntervalTimer(TimerModel& model, std::function<void()> tick, QObject* parent)
    : QObject(parent), model_(model), tick_(std::move(tick)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { OnTimeout(); });
    model_.onIntervalChange = [this] { Restart(); };
    Restart();
}

void IntervalTimer::Restart() {
    schedule_.SetInterval(model_.Interval(), Clock::now());
    Arm();
}

void IntervalTimer::Arm() {
    if (!schedule_.Running()) {
        timer_.stop();
        return;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        schedule_.NextDeadline() - Clock::now());
    timer_.start(std::max(left, std::chrono::milliseconds(0)));
}

void IntervalTimer::OnTimeout() {
    const auto now = Clock::now();
    if (now + kDueMargin < schedule_.NextDeadline()) {
        Arm();
        return;
    }
    // The next tick is armed before this one runs: a modal window opened by the handler keeps
    // receiving ticks, as the window's timers always do.
    schedule_.TickDelivered(now);
    Arm();
    tick_();
}

}  // namespace fretlux
