// SPDX-License-Identifier: MIT
#include "app/tab_player.h"

#include <algorithm>
#include <thread>

#include "app/fretlux_form.h"
#include "app/headless_host.h"
#include "app/tab_columns.h"
#include "playback/tick_schedule.h"

namespace fretlux {

namespace {

using Clock = TickSchedule::Clock;

// Hands the messages sent after Start to the sink, stamped with the clock's time.
class SinkOutput final : public MidiOutput {
public:
    SinkOutput(const std::function<void(const TimedMidiMessage&)>& sink,
               const Clock::time_point& now)
        : sink_(sink), now_(now) {}

    void StartRecording(Clock::time_point start) {
        start_ = start;
        recording_ = true;
    }

    void Open() override {}
    void SendShortMessage(std::uint32_t message) override {
        if (!recording_) return;
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now_ - start_);
        sink_({elapsed.count(), message});
    }
    void Close() override {}
    std::string Status() const override { return "Messages go to fretlux-cli"; }

private:
    const std::function<void(const TimedMidiMessage&)>& sink_;
    const Clock::time_point& now_;
    Clock::time_point start_;
    bool recording_ = false;
};

// One of the window's timers on the player's clock.
struct PlayerTimer {
    TimerModel& model;
    void (Player::*tick)();
    TickSchedule schedule;
};

// Where the cursor stands when a tick of the play timer comes: the column that tick plays.
using PlayTickWatch = std::function<void(int tab, int column)>;

// Plays on a copy of the window's core of its own: start-up, the document brought in as Open
// brings in the one it has read, then one press of Start and the timers' ticks until playback
// halts by itself.
void RunPlayback(const TabDocument& document, PlayClock clock,
                 const std::function<void(const TimedMidiMessage&)>& sink,
                 const PlayTickWatch& watchPlayTick, const PlayOptions& options) {
    // The virtual clock starts anywhere; only differences are ever taken.
    Clock::time_point now = clock == PlayClock::RealTime ? Clock::now() : Clock::time_point{};
    SinkOutput output(sink, now);
    HeadlessHost host(output);
    FretluxForm form(host);
    Player& player = form.Playback();
    PlayerTimer timers[] = {{player.PlayTimer(), &Player::PlayTick, {}},
                            {player.TuneTimer(), &Player::TuneTick, {}},
                            {player.ClickTimer(), &Player::ClickTick, {}}};
    for (PlayerTimer& timer : timers) {
        timer.model.onIntervalChange = [&timer, &now] {
            timer.schedule.SetInterval(timer.model.Interval(), now);
        };
    }

    form.StartUp();
    form.ShowReadDocument(document);
    player.ChangePractice(options.practice);
    if (options.loop && !LoopOutsideDocument(document, *options.loop)) {
        const LoopedSelection& loop = *options.loop;
        form.Controls().hscTAB.SetValue(loop.tab);
        form.SelectColumns(loop.first, loop.last - loop.first + 1);
        player.EndLoopAfter(loop.passes);
    }

    output.StartRecording(now);
    player.Start();
    while (true) {
        PlayerTimer* due = nullptr;
        for (PlayerTimer& timer : timers) {
            if (!timer.schedule.Running()) continue;
            if (due == nullptr || timer.schedule.NextDeadline() < due->schedule.NextDeadline()) {
                due = &timer;
            }
        }
        if (due == nullptr) break;
        if (clock == PlayClock::RealTime) {
            std::this_thread::sleep_until(due->schedule.NextDeadline());
            now = Clock::now();
        } else {
            now = due->schedule.NextDeadline();
        }
        due->schedule.TickDelivered(now);
        if (due == &timers[0] && watchPlayTick) {
            watchPlayTick(form.Controls().hscTAB.Value(), form.Columns().CursorColumn());
        }
        (player.*due->tick)();
    }
}

bool IsNoteOn(const TimedMidiMessage& message) {
    return (message.Status() & 0xF0) == 0x90 && message.Data2() > 0;
}

}  // namespace

void PlayDocument(const TabDocument& document, PlayClock clock,
                  const std::function<void(const TimedMidiMessage&)>& sink,
                  const PlayOptions& options) {
    RunPlayback(document, clock, sink, {}, options);
}

std::vector<TimedMidiMessage> PlayDocument(const TabDocument& document,
                                           const PlayOptions& options) {
    std::vector<TimedMidiMessage> events;
    PlayDocument(
        document, PlayClock::Virtual,
        [&events](const TimedMidiMessage& event) { events.push_back(event); }, options);
    return events;
}

std::optional<std::string> LoopOutsideDocument(const TabDocument& document,
                                               const LoopedSelection& loop) {
    if (loop.tab > document.tabCount) {
        return "the document has " + std::to_string(document.tabCount) + " TABs";
    }
    TabColumns columns;
    columns.Split(document.tabLines[loop.tab - 1]);
    if (loop.last > columns.LastColumn()) {
        return "TAB " + std::to_string(loop.tab) + " has columns 0 to " +
               std::to_string(columns.LastColumn());
    }
    return std::nullopt;
}

std::vector<PlayedColumn> PlayedColumns(const TabDocument& document) {
    std::vector<PlayedColumn> columns;
    PlayedColumn ticking;
    const auto keepTicking = [&columns, &ticking] {
        if (ticking.notes.empty()) return;
        std::sort(ticking.notes.begin(), ticking.notes.end());
        ticking.notes.erase(std::unique(ticking.notes.begin(), ticking.notes.end()),
                            ticking.notes.end());
        columns.push_back(ticking);
    };
    RunPlayback(
        document, PlayClock::Virtual,
        [&ticking](const TimedMidiMessage& message) {
            if (!IsNoteOn(message)) return;
            ticking.milliseconds = message.milliseconds;
            ticking.notes.push_back(message.Data1());
        },
        [&](int tab, int column) {
            keepTicking();
            ticking = {tab, column, 0, {}};
        },
        {});
    keepTicking();
    return columns;
}

}  // namespace fretlux
