// SPDX-License-Identifier: MIT
// Runs one of the window's interval timers for real, on the window's thread. Every tick is
// scheduled on an absolute deadline (start + k x interval on the steady clock) and a single-shot
// timer is armed for the time left, so ticks neither drift nor inherit each other's lateness;
// a new interval takes effect at once and counts from that moment.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "app/control_models.h"
#include "playback/tick_schedule.h"

namespace fretlux {

class IntervalTimer : public QObject {
public:
    // tick runs the model's handler; the model's interval is watched from now on.
    IntervalTimer(TimerModel& model, std::function<void()> tick, QObject* parent = nullptr);

private:
    void Restart();
    void Arm();
    void OnTimeout();

    TimerModel& model_;
    std::function<void()> tick_;
    TickSchedule schedule_;
    QTimer timer_;
};

}  // namespace fretlux
