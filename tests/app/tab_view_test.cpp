// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "form_fixture.h"

namespace fretlux::testing {
namespace {

// A plain TAB whose lines hold `columns` (4 or more) columns after the string letter.
std::string BlockOfColumns(const std::string& label, int columns) {
    return PlainBlock(label, std::string(columns - 4, '-'));
}

class TabChange : public FormTest {
protected:
    void SetUp() override {
        OpenText("three.tab", BlockOfColumns("first", 10) + BlockOfColumns("second", 10) +
                                  BlockOfColumns("third", 10));
    }
};

TEST_F(TabChange, StampsTheLeftTabStripsAndShowsTheNewOneAndItsPositionInBlack) {
    form.Controls().hscTempo.SetValue(120);
    form.Controls().hscVolume.SetValue(7);
    form.Controls().HScrollPatch.SetValue(33);
    form.Controls().txtTAB.SetText(
        "Verse");  // typing a label replaces the header until the TAB is left
    EXPECT_EQ(Line(1, 0), "Verse");
    form.Controls().hscTAB.SetValue(2);
    EXPECT_EQ(Line(1, 0), "Verse" + std::string(75, ' ') + "120007033");
    EXPECT_EQ(Line(2, 0), "second");
    EXPECT_EQ(form.Controls().txtTAB.Text(), "second");
    EXPECT_EQ(form.Controls().lblHelp.caption, "TAB: 2 of 3");
    EXPECT_EQ(form.Controls().lblHelp.colour, kBlack);
    form.Controls().hscTAB.SetValue(1);
    EXPECT_EQ(Line(1, 0).size(), 79u);
    EXPECT_EQ(Line(2, 0).size(), 89u);
}

// A label is shown without its trailing blanks and stored with them: what the user did not
// change is stored byte for byte as before.
TEST_F(TabChange, TheLabelBoxShowsNoTrailingBlanksAndTheHeaderKeepsThem) {
    form.Controls().hscTAB.SetValue(2);
    form.Controls().hscTAB.SetValue(1);
    const std::string shown = "first" + std::string(74, ' ');
    EXPECT_EQ(Line(1, 0), shown);
    EXPECT_EQ(form.Controls().txtTAB.Text(), "first");
    form.Controls().txtTAB.SetText("firs");
    form.Controls().txtTAB.SetText("first");
    EXPECT_EQ(Line(1, 0), shown);
    form.Controls().txtTAB.SetText("First take");
    EXPECT_EQ(Line(1, 0), "First take" + std::string(69, ' '));
    form.Controls().hscTAB.SetValue(2);
    EXPECT_EQ(Line(1, 0), "First take" + std::string(70, ' ') + "041100025");
}

TEST_F(TabChange, RestoresTheSettingsEachTabWasLeftWithBroughtIntoTheBarsRange) {
    form.Controls().hscTAB.SetValue(2);
    form.Controls().hscTempo.SetValue(90);
    form.Controls().hscVolume.SetValue(64);
    form.Controls().HScrollPatch.SetValue(0);
    form.Controls().hscTAB.SetValue(3);  // read from a plain file: no settings in its header
    EXPECT_EQ(form.Controls().hscTempo.Value(), 90) << "a TAB without settings keeps the bars";
    form.Controls().hscTempo.SetValue(10);
    form.Controls().hscVolume.SetValue(127);
    form.Controls().HScrollPatch.SetValue(127);
    form.Controls().hscTAB.SetValue(2);
    EXPECT_EQ(form.Controls().hscTempo.Value(), 90);
    EXPECT_EQ(form.Controls().lblTempo.caption, "111");
    EXPECT_EQ(form.Controls().hscVolume.Value(), 64);
    EXPECT_EQ(form.Controls().lblVolume.caption, " 64");
    EXPECT_EQ(form.Controls().HScrollPatch.Value(), 0);
    EXPECT_EQ(form.Controls().lblPatchNum.caption, "0");

    Rewrite([](TabDocument& document) {
        document.tabLines[0][0] = std::string(80, ' ') + "999999999";
    });
    EXPECT_EQ(form.Controls().hscTempo.Value(), 200);
    EXPECT_EQ(form.Controls().hscVolume.Value(), 127);
    EXPECT_EQ(form.Controls().HScrollPatch.Value(), 127);
}

TEST_F(TabChange, OnlyAnActualChangeOfTabStampsShowsAndResets) {
    form.Controls().hscTempo.SetValue(50);
    Select(5, 2);
    form.Controls().hscTAB.SetValue(1);  // the same TAB again runs nothing
    EXPECT_EQ(Line(1, 0), "first");
    form.PreviewTabPosition(3);  // scrolling only shows where the box is going
    EXPECT_EQ(form.Controls().lblHelp.caption, "TAB: 3 of 3");
    EXPECT_EQ(form.Controls().txtTAB.Text(), "first");
    EXPECT_EQ(form.Columns().CursorColumn(), 5);
    form.Controls().hscTAB.SetValue(2);
    EXPECT_EQ(View(), "TAB 2/3 column 0+0 of 9");
}

using TabDisplay = FormTest;

TEST_F(TabDisplay, ATabOfHeaderCellsOnlyDeletesItselfWhenShown) {
    OpenText("two.flx", PlainBlock("kept tab", "-1-------") +
                            "gone tab\nE----\nB----\nG----\nD----\nA----\nE----\n");
    ASSERT_EQ(form.Controls().hscTAB.Max(), 2);
    form.Controls().hscTAB.SetValue(2);
    EXPECT_EQ(View(), "TAB 1/1 column 0+0 of 1");
    // TAB 1 was left, so it comes back with its stamped label: 79 characters.
    EXPECT_EQ(Line(1, 0), "kept tab" + std::string(71, ' '));
}

class ColumnMouse : public FormTest {
protected:
    void SetUp() override { OpenText("wide.tab", BlockOfColumns("wide", 20)); }

    void Click(double x) {
        form.PressOnTabLines(x);
        form.ReleaseOnTabLines(x);
    }

    double w() const { return form.Columns().CharWidth(); }
};

TEST_F(ColumnMouse, ClicksPickTheColumnUnderThePointerWithHalvesToEvenAndStayOnTheGrid) {
    // The pointer's x, in character widths past the 23 twips of margin, and the column it picks.
    const struct {
        double widths;
        int column;
    } rows[] = {{1.5, 0}, {2.5, 2}, {6.2, 5}, {4, 3}, {60, 19}, {-23 / 105.0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.widths);
        Click(23 + w() * row.widths);
        EXPECT_EQ(View(), "TAB 1/1 column " + std::to_string(row.column) + "+0 of 19");
        EXPECT_DOUBLE_EQ(form.Columns().CursorStart().x, w() * row.column + 1.9 * w());
        EXPECT_DOUBLE_EQ(form.Columns().CursorEnd().x, form.Columns().CursorStart().x);
    }
}

TEST_F(ColumnMouse, APressMovesTheCursorAndADragSelectsFromWhereItBegan) {
    // Columns under the pointer: where the button went down, where it was dragged to.
    const struct {
        int pressed, dragged;
        std::string view;
    } rows[] = {
        {5, 10, "TAB 1/1 column 5+6 of 19"},
        {10, 5, "TAB 1/1 column 5+6 of 19"},
        {5, 5, "TAB 1/1 column 5+0 of 19"},  // a shaky click is still a click
        {17, 40, "TAB 1/1 column 17+3 of 19"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.view);
        Click(23 + w() * 16);  // the cursor stands at column 15 first
        const double pressed = 23 + w() * (row.pressed + 1);
        form.PressOnTabLines(pressed);
        EXPECT_EQ(View(), "TAB 1/1 column " + std::to_string(row.pressed) + "+0 of 19");
        const double dragged = 23 + w() * (row.dragged + 1.3);
        form.DragOnTabLines(kLeftButton, dragged);
        form.ReleaseOnTabLines(dragged);
        EXPECT_EQ(View(), row.view);
        EXPECT_DOUBLE_EQ(form.Columns().CursorEnd().x - form.Columns().CursorStart().x,
                         w() * form.Columns().SelectionLength());
    }
}

TEST_F(ColumnMouse, MovingWithoutAButtonOrOverATabOfOneColumnSelectsNothing) {
    form.DragOnTabLines(0, w() * 10);
    EXPECT_EQ(View(), "TAB 1/1 column 0+0 of 19");
    OpenText("one.flx",
             "one\nE----|    \nB----|    \nG----|    \nD----|    \nA----|    \n"
             "E----|    \n");
    ASSERT_EQ(form.Columns().LastColumn(), 0);
    form.PressOnTabLines(23 + w() * 2);
    form.DragOnTabLines(kLeftButton, w() * 9);
    form.ReleaseOnTabLines(w() * 9);
    EXPECT_EQ(View(), "TAB 1/1 column 0+0 of 0");
}

TEST_F(ColumnMouse, TheSelectionNeverReachesPastTheLastColumn) {
    Select(18, 5);
    EXPECT_EQ(View(), "TAB 1/1 column 18+2 of 19");
    Select(-3, -1);
    EXPECT_EQ(View(), "TAB 1/1 column 0+0 of 19");
}

}  // namespace
}  // namespace fretlux::testing
