// SPDX-License-Identifier: MIT
// Playback in the window: the real timers drive the model, and the buttons show its state.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <chrono>

#include "ui/interval_timer.h"
#include "ui/picture_button.h"
#include "window_fixture.h"

namespace fretlux {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

int NotesOn(const testing::RecordingMidiOutput& output) {
    int notes = 0;
    for (const auto& m : output.messages) notes += m.Status() == 0x90 && m.Data2() > 0;
    return notes;
}

TEST_F(WindowTest, StartPlaysTheTabOnTheRealTimerUntilItHalts) {
    host.chosenPaths = {std::string(FRETLUX_TEST_DATA_DIR) + "/two_tabs.tab"};
    Trigger("mnuFOpen");
    form.hscTempo.SetValue(1);  // 3 ms a column
    host.midiOut.messages.clear();
    QTest::mouseClick(&Find<PictureButton>("imgPlay"), Qt::LeftButton);
    EXPECT_EQ(form.playTimer.Interval(), 3);
    QTRY_COMPARE_WITH_TIMEOUT(form.playTimer.Interval(), 0, 5000);
    // Both TABs played: the verse's three chords of up to six notes and the chorus's note.
    EXPECT_GE(NotesOn(host.midiOut), 16);
    EXPECT_EQ(form.hscTAB.Value(), 2);
}

TEST_F(WindowTest, TheTextButtonShowsWhetherTheTabHasAText) {
    auto& edit = Find<PictureButton>("imgEdit");
    EXPECT_EQ(edit.ShownSymbol(), QStringLiteral("edit-empty"));
    Trigger("mnuFileNew");
    form.document.tabTexts[0] = "Capo on the second fret";
    // The text window (closed at once by the scripted host) hands the text back as it was.
    QTest::mouseClick(&edit, Qt::LeftButton);
    EXPECT_EQ(host.textEditorShown, 1);
    EXPECT_EQ(edit.ShownSymbol(), QStringLiteral("edit"));
}

class IntervalTimerTest : public ::testing::Test {
protected:
    TimerModel model;
    std::vector<Clock::time_point> ticks;
    IntervalTimer timer{model, [this] { ticks.push_back(Clock::now()); }};
};

TEST_F(IntervalTimerTest, TicksKeepToTheGridFromTheMomentTheIntervalWasSet) {
    const auto start = Clock::now();
    model.SetInterval(20);
    QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 10, 5000);
    model.SetInterval(0);
    // Waking a little early is made up for: no tick runs before its time on the grid, give or
    // take the tenth of a millisecond within which the timer counts a tick as due.
    const auto dueMargin = std::chrono::microseconds(100);
    for (std::size_t k = 0; k < 10; ++k)
        EXPECT_GE(ticks[k] - start, milliseconds(20 * (k + 1)) - dueMargin);
}

TEST_F(IntervalTimerTest, ANewIntervalTakesEffectAtOnceAndZeroStops) {
    model.SetInterval(10000);
    const auto changed = Clock::now();
    model.SetInterval(5);
    QTRY_VERIFY_WITH_TIMEOUT(!ticks.empty(), 2000);
    EXPECT_LT(ticks[0] - changed, milliseconds(1000));
    model.SetInterval(0);
    const auto count = ticks.size();
    QTest::qWait(50);
    EXPECT_EQ(ticks.size(), count);
}

}  // namespace
}  // namespace fretlux
