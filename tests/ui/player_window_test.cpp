// SPDX-License-Identifier: MIT
// Playback in the window: the real timer drives the model.
#include <gtest/gtest.h>

#include "ui/picture_button.h"
#include "window_fixture.h"

namespace fretlux {
namespace {

TEST_F(WindowTest, StartPlaysTheTabOnTheRealTimerUntilItHalts) {
    host.chosenPaths = {std::string(FRETLUX_TEST_DATA_DIR) + "/two_tabs.tab"};
    Trigger("mnuFOpen");
    form.Controls().hscTempo.SetValue(1);  // 3 ms a column
    host.midiOut.messages.clear();
    QTest::mouseClick(&Find<PictureButton>("imgPlay"), Qt::LeftButton);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 3);
    QTRY_COMPARE_WITH_TIMEOUT(form.Playback().PlayTimer().Interval(), 0, 5000);
    // Both TABs played: the verse's three chords of up to six notes and the chorus's note.
    EXPECT_GE(host.midiOut.NotesOn().size(), 16u);
    EXPECT_EQ(form.Controls().hscTAB.Value(), 2);
}

TEST_F(WindowTest, TheCountInAndTheMetronomeClickOnTheRealTimer) {
    host.chosenPaths = {std::string(FRETLUX_TEST_DATA_DIR) + "/two_tabs.tab"};
    Trigger("mnuFOpen");
    Trigger("mnuPlayMetronome");
    window.findChildren<QAction*>(QStringLiteral("mnuSetCountInBars"))[1]->trigger();
    form.Controls().hscTempo.SetValue(1);
    host.midiOut.messages.clear();
    Trigger("mnuPlayStart");
    QTRY_VERIFY_WITH_TIMEOUT(!form.Playback().Playing(), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(form.Playback().ClickTimer().Interval(), 0, 1000);
    // A bar of four counted beats, then four beats in the bar of each TAB, every click ended.
    int clicks = 0;
    int ends = 0;
    for (const auto& m : host.midiOut.messages) {
        clicks += m.Status() == 0x99;
        ends += m.Status() == 0x89;
    }
    EXPECT_EQ(clicks, 12);
    EXPECT_EQ(ends, 12);
}

}  // namespace
}  // namespace fretlux
