// SPDX-License-Identifier: MIT
// The picture buttons as the mouse works them: their pictures, their hints, and how often a
// click and a double click run their command.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "player_fixture.h"

namespace fretlux::testing {
namespace {

constexpr int kRight = kRightButton;
constexpr int kLeft = kLeftButton;
constexpr double kSize = 32;

ButtonPoint At(double x, double y) { return {x, y, kSize, kSize}; }

TEST(PictureButtonState,
     PressedWhileHeldAndUnderALeftDragOnlyInsideAndOnlyALeftReleaseInsideClicks) {
    // Mouse events on a button of 32 by 32: D(own), M(ove), U(p) or 2 (the second press of a
    // double click), the buttons held (L, R or 0 for none) and the point; after each, P when the
    // button looks pressed, R released, and a C after it when the event was a click.
    const std::pair<const char*, const char*> cases[] = {
        {"DL5,5 UL5,5", "PRC"},
        {"DL5,5 ML40,5 ML5,5 UL5,5", "PRPRC"},          // dragged out and back
        {"DL5,5 ML5,33 UL5,33", "PRR"},                 // released outside
        {"DL5,5 ML0,5 ML32,0 ML5,-1 ML32,32 ML32.5,5",  // outside is X <= 0, X > 32, Y < 0, Y > 32
         "PRPRPR"},
        {"DR5,5 MR50,50 UR5,5", "PPR"},  // the right button held out
        {"M05,5 M050,5", "RR"},          // moving with no button
        {"DL5,5 UL5,5 2L5,5 UL5,5", "PRCPR"},
    };
    for (const auto& [events, expected] : cases) {
        PictureButtonState state;
        std::string pictures;
        std::istringstream in(events);
        for (std::string event; in >> event;) {
            const int buttons = event[1] == 'L' ? kLeft : event[1] == 'R' ? kRight : 0;
            double x = 0, y = 0;
            std::sscanf(event.c_str() + 2, "%lf,%lf", &x, &y);
            bool click = false;
            if (event[0] == 'D') state.MouseDown(buttons);
            if (event[0] == 'M') state.MouseMove(buttons, At(x, y));
            if (event[0] == 'U') click = state.MouseUp(buttons, At(x, y));
            if (event[0] == '2') state.DblClick();
            pictures += state.Pressed() ? "P" : "R";
            if (click) pictures += "C";
        }
        EXPECT_EQ(pictures, expected) << events;
    }
}

class PictureButtonsTest : public PlayerTest {
protected:
    // A click, then the second press of a double click and its release, as the window reports
    // them; a release that is a click runs the click.
    void DoubleClick(HintedButton button) {
        form.Buttons().Press(button, kLeft);
        if (form.Buttons().Release(button, kLeft, At(5, 5))) form.Buttons().Run(button);
        form.Buttons().DoubleClick(button);
        EXPECT_TRUE(form.Buttons().Pressed(button));
        if (form.Buttons().Release(button, kLeft, At(5, 5))) form.Buttons().Run(button);
        EXPECT_FALSE(form.Buttons().Pressed(button));
    }
};

TEST_F(PictureButtonsTest, ADoubleClickRunsTheCommandOnceExceptStepBackStepForwardAndStop) {
    const struct {
        HintedButton button;
        // What the command changes: a double click changes it as much as `times` clicks do.
        std::function<int()> measure;
        int times;
    } cases[] = {
        {HintedButton::imgclip2tab, [&] { return form.Columns().LastColumn(); }, 1},
        {HintedButton::imgTabLine, [&] { return form.Columns().LastColumn(); }, 1},
        {HintedButton::imgInsTab, [&] { return form.Controls().hscTAB.Max(); }, 1},
        {HintedButton::imgLefRig, [&] { return int(form.Board().Turned().leftRightFlipped); }, 1},
        {HintedButton::imgUpDown, [&] { return int(form.Board().Turned().upDownFlipped); }, 1},
        {HintedButton::imgTune, [&] { return int(NotesOn().size()); }, 1},
        {HintedButton::imgAB, [&] { return host.textToTabShown; }, 1},
        {HintedButton::imgEdit, [&] { return host.textEditorShown; }, 1},
        {HintedButton::imgStep, [&] { return form.Columns().CursorColumn(); }, 2},
        {HintedButton::imgBack, [&] { return form.Columns().CursorColumn(); }, 2},
    };
    for (const auto& c : cases) {
        // The change of one click, then of a double click, from the same start.
        int change[2];
        for (const bool twice : {false, true}) {
            OpenTabs({{{"1:0", "1:1", "1:2", "1:3", "1:4", "1:5"}}});
            form.SelectColumns(3, 0);
            form.Board().Press(2, 5, kLeft);
            ForgetMessages();
            const int before = c.measure();
            if (twice) {
                DoubleClick(c.button);
            } else {
                form.Buttons().Press(c.button, kLeft);
                if (form.Buttons().Release(c.button, kLeft, At(5, 5))) {
                    form.Buttons().Run(c.button);
                }
            }
            change[twice] = c.measure() - before;
        }
        EXPECT_NE(change[0], 0) << static_cast<int>(c.button);
        // The rotations leave their flag turned from the first round: a turn is a change of 1
        // either way.
        EXPECT_EQ(std::abs(change[1]), c.times * std::abs(change[0])) << static_cast<int>(c.button);
    }
    // Stop twice: the first pauses, the second goes back to the first column.
    OpenTabs({{{"1:0", "1:1", "1:2"}}});
    form.Run(Command::StartPlayback);
    Ticks(2);
    DoubleClick(HintedButton::imgStop);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
    EXPECT_EQ(form.Columns().CursorColumn(), 0);
}

TEST_F(PictureButtonsTest, TheEditingButtonsHintAndRunTheirCommandsAndTheBackgroundShowsTheTab) {
    const struct {
        HintedButton button;
        const char* hint;
        const char* view;
    } cases[] = {
        {HintedButton::imgCopyButton, "HELP: Copy tab file selection", "TAB 1/1 column 1+2 of 3"},
        {HintedButton::imgCutButton, "HELP: Cut tab file selection", "TAB 1/1 column 1+0 of 1"},
        {HintedButton::imgPasteButton, "HELP: Paste into tab selection", "TAB 1/1 column 1+1 of 3"},
        {HintedButton::imgTabLine, "HELP: Insert TAB bar to TAB", "TAB 1/1 column 2+0 of 3"},
        {HintedButton::imgInsTab, "HELP: Insert TAB", "TAB 1/2 column 2+0 of 77"},
        {HintedButton::imgDelTab, "HELP: Delete current TAB", "TAB 1/1 column 2+0 of 3"},
        {HintedButton::imgAB, "HELP: Insert text to TAB", "TAB 1/1 column 2+1 of 3"},
    };
    OpenTabs({{{"1:0", "1:1", "1:2", "1:3"}}});
    Select(1, 2);
    for (const auto& c : cases) {
        form.Buttons().MoveOver(c.button, 0, At(5, 5));
        EXPECT_EQ(form.Controls().lblHelp.caption, c.hint);
        EXPECT_EQ(form.Controls().lblHelp.colour, kHintBlue);
        form.Buttons().Press(c.button, kLeft);
        ASSERT_TRUE(form.Buttons().Release(c.button, kLeft, At(5, 5)));
        form.Buttons().Run(c.button);
        EXPECT_EQ(View(), c.view) << c.hint;
    }
    form.HintControl(PointedControl::Background);
    EXPECT_EQ(form.Controls().lblHelp.caption, "TAB: 1 of 1");
    EXPECT_EQ(form.Controls().lblHelp.colour, kBlack);
}

TEST_F(PictureButtonsTest, TheTextButtonShowsWhetherTheTabHasTextAndAWrittenPageWithoutATab) {
    // Dragged out of the button, then released, it shows the released picture of the moment.
    const auto dragOutAndRelease = [&] {
        form.Buttons().Press(HintedButton::imgEdit, kLeft);
        form.Buttons().MoveOver(HintedButton::imgEdit, kLeft, At(-3, 5));
        const EditPicture outside = form.Controls().imgEdit;
        EXPECT_FALSE(form.Buttons().Release(HintedButton::imgEdit, kLeft, At(-3, 5)));
        EXPECT_EQ(form.Controls().imgEdit, outside);
        return outside;
    };
    EXPECT_EQ(dragOutAndRelease(), EditPicture::imgEditUp);
    OpenTabs({{{"1:0"}, {41, 100, 25}, ""}, {{"1:0"}, {41, 100, 25}, "Play it slowly"}});
    EXPECT_EQ(form.Controls().imgEdit, EditPicture::imgEdit2Up);
    EXPECT_EQ(dragOutAndRelease(), EditPicture::imgEdit2Up);
    form.Controls().hscTAB.SetValue(2);
    EXPECT_EQ(form.Controls().imgEdit, EditPicture::imgEditUp);
}

}  // namespace
}  // namespace fretlux::testing
