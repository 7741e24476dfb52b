// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "document/tab_cell.h"
#include "form_fixture.h"

namespace fretlux::testing {
namespace {

// A plain TAB of ten columns easy to follow through cuts and pastes: the bar, a to f, and three
// hyphens.
const std::string kLettered = PlainBlock("count", "abcdef");

class ColumnCommands : public FormTest {
protected:
    // A blank TAB of 78 columns from New, with a note cell put in at column 1 of line 1.
    void NewWithNote() {
        form.NewDocument();
        form.document.tabLines[0][1].replace(kCellWidth * 2, kCellWidth, "3DH  ");
        form.ShowCurrentTab();
    }
};

TEST_F(ColumnCommands, CutRemovesTheSelectionAndLeavesTheCursorOnTheNextColumn) {
    form.NewDocument();
    form.document.tabLines[0][1].replace(kCellWidth * 6, kCellWidth, "|    ");  // column 5
    form.ShowCurrentTab();
    Select(2, 3);
    form.CutColumns();
    EXPECT_EQ(Line(1, 1).size(), 76u * kCellWidth);
    EXPECT_EQ(View(), "TAB 1/1 column 2+0 of 74");
    EXPECT_EQ(form.columnCells[2][1], "|    ");
    EXPECT_EQ(form.clipboardWidth, 15);
    EXPECT_EQ(form.tabClipboard[1], "-    -    -    ");
}

TEST_F(ColumnCommands, CopyKeepsTheTabAndWithoutASelectionEmptiesTheClipboard) {
    NewWithNote();
    const std::string before = Line(1, 1);
    Select(1, 2);
    form.CopyColumns();
    EXPECT_EQ(Line(1, 1), before);
    EXPECT_EQ(form.tabClipboard[1], "3DH  -    ");
    EXPECT_EQ(form.tabClipboard[6], "-    -    ");
    EXPECT_EQ(View(), "TAB 1/1 column 1+2 of 77");

    Select(4, 0);
    form.CopyColumns();
    EXPECT_EQ(form.tabClipboard[1], "");
    form.PasteColumns();
    EXPECT_EQ(Line(1, 1), before);
    EXPECT_EQ(form.selectionLength, 0);
}

TEST_F(ColumnCommands, PasteIntoAFullTabDropsTheColumnsPushedPastTheEnd) {
    NewWithNote();
    Select(0, 3);
    form.CopyColumns();
    Select(10, 0);
    form.PasteColumns();
    EXPECT_EQ(Line(1, 1).size(), 395u);
    EXPECT_EQ(Line(1, 1).substr(kCellWidth * 12, kCellWidth), "3DH  ");
    EXPECT_EQ(View(), "TAB 1/1 column 10+3 of 77");
}

TEST_F(ColumnCommands, PasteReplacesTheSelectionAndAtTheLastColumnSelectsWhatWasThere) {
    OpenText("count.tab", kLettered);
    ASSERT_EQ(form.lastColumn, 9);
    Select(1, 1);
    form.CopyColumns();
    Select(4, 3);
    form.PasteColumns();
    EXPECT_EQ(form.lblTAB[1].caption, "E|abca---");

    ASSERT_EQ(form.lastColumn, 7);
    Select(0, 3);
    form.CopyColumns();
    Select(7, 0);
    form.PasteColumns();
    EXPECT_EQ(form.lblTAB[1].caption, "E|abca--|ab-");
    EXPECT_EQ(View(), "TAB 1/1 column 7+1 of 10");
}

TEST_F(ColumnCommands, PasteRendersTheSecondDigitOfATwoDigitFret) {
    OpenText("twelve.tab", PlainBlock("twelve", "-12-----"));
    Select(2, 1);  // the note cell of fret 12, without the cell of its second digit
    form.CopyColumns();
    Select(6, 0);
    form.PasteColumns();
    EXPECT_EQ(form.lblTAB[1].caption, "E|-12--12-----");
}

TEST_F(ColumnCommands, PasteTabBarReplacesTheSelectionWithOneBar) {
    OpenText("count.tab", kLettered);
    Select(3, 3);
    form.PasteBarLine();
    for (int l = 1; l <= 6; ++l) EXPECT_EQ(form.columnCells[3][l], "|    ") << "line " << l;
    EXPECT_EQ(form.lblTAB[1].caption, "E|ab|f---");
    EXPECT_EQ(View(), "TAB 1/1 column 4+0 of 7");
}

TEST_F(ColumnCommands, CuttingEveryColumnDeletesTheTab) {
    OpenText("two.tab", PlainBlock("to be cut", "-1-") + PlainBlock("stays", "-2-"));
    Select(0, 7);
    form.CutColumns();
    EXPECT_EQ(form.hscTAB.Max(), 1);
    EXPECT_EQ(form.txtTAB.Text(), "stays");
}

TEST_F(ColumnCommands, DoNothingWithoutADocument) {
    form.CutColumns();
    form.PasteColumns();
    form.PasteBarLine();
    form.CopyColumns();
    form.Board().Press(1, 3, kLeftButton);
    form.PasteFretboard();
    form.DeleteTab();
    EXPECT_EQ(form.hscTAB.Max(), 0);
    EXPECT_EQ(form.document.tabCount, 0);
    EXPECT_EQ(form.clipboardWidth, 0);
}

class TabCommands : public FormTest {
protected:
    void SetUp() override {
        OpenText("three.tab", PlainBlock("first", "-1-") + PlainBlock("second", "-2-") +
                                  PlainBlock("third", "-3-"));
    }
};

TEST_F(TabCommands, InsertTabPutsABlankTabBeforeTheShownOne) {
    form.hscTAB.SetValue(2);
    form.InsertTab();
    EXPECT_EQ(View(), "TAB 2/4 column 0+0 of 77");
    EXPECT_EQ(Line(2, 0), std::string(79, ' '));
    EXPECT_EQ(Line(2, 1), BlankStringLine(1));
    EXPECT_EQ(Line(3, 0).substr(0, 6), "second");
    EXPECT_EQ(Line(4, 0), "third");
    EXPECT_EQ(form.imgEdit, EditPicture::imgEdit2Up);
    EXPECT_EQ(form.lblHelp.caption, "TAB: 2 of 4");
}

TEST_F(TabCommands, InsertTabIntoAFullDocumentIsRefusedAndIntoAnEmptyOneMakesANewOne) {
    std::string blocks;
    for (int t = 0; t < 101; ++t) blocks += PlainBlock("tab" + std::to_string(t), "-5-");
    OpenText("full.tab", blocks);
    ASSERT_EQ(form.hscTAB.Max(), 101);
    form.hscTAB.SetValue(50);
    host.messages.clear();
    form.InsertTab();
    EXPECT_EQ(host.Asked(),
              std::vector<std::string>{std::string(kTooManyTabsMessage) + " [Ok Exclamation Ok]"});
    EXPECT_EQ(form.hscTAB.Max(), 101);
    EXPECT_EQ(Line(101, 0), "tab100");
    EXPECT_EQ(Line(50, 0), "tab49");

    OpenText("empty.tab", "");
    form.InsertTab();
    EXPECT_EQ(form.hscTAB.Max(), 1);
    EXPECT_EQ(form.currentPath, "UNTITLED.FLX");
}

TEST_F(TabCommands, DeletingTheLastTabShowsTheOneBeforeWithItsSettings) {
    form.hscTAB.SetValue(2);
    form.hscTempo.SetValue(60);
    form.hscTAB.SetValue(3);
    form.hscTempo.SetValue(150);
    form.DeleteTab();
    EXPECT_EQ(View(), "TAB 2/2 column 0+0 of 6");
    EXPECT_EQ(form.txtTAB.Text().substr(0, 6), "second");
    EXPECT_EQ(form.hscTempo.Value(), 60);
    EXPECT_EQ(form.lblHelp.caption, "TAB: 2 of 2");
}

TEST_F(TabCommands, DeletingAnEarlierTabMovesTheNextIntoItsPlaceUntilNoneIsLeft) {
    form.hscTempo.SetValue(99);
    form.document.tabTexts[1] = "Play it twice\r\n";
    ASSERT_EQ(form.imgEdit, EditPicture::imgEdit2Up);
    form.DeleteTab();
    EXPECT_EQ(View(), "TAB 1/2 column 0+0 of 6");
    EXPECT_EQ(form.imgEdit, EditPicture::imgEditUp);
    EXPECT_EQ(form.lblHelp.caption, "TAB: 1 of 2");
    EXPECT_EQ(form.txtTAB.Text(), "second");
    EXPECT_EQ(Line(2, 0), "third");
    // The moved TAB is shown without a TAB change: the bars keep what they had.
    EXPECT_EQ(form.hscTempo.Value(), 99);
    EXPECT_TRUE(form.document.tabLines[2][0].empty());

    form.DeleteTab();
    form.DeleteTab();
    EXPECT_EQ(form.hscTAB.Max(), 0);
    EXPECT_EQ(form.hscTAB.Value(), 0);
    EXPECT_EQ(form.lblHelp.caption, "TAB: 0 of 0");
    EXPECT_EQ(form.txtTAB.Text(), "");
    EXPECT_EQ(form.lblTAB[1].caption, "");
}

}  // namespace
}  // namespace fretlux::testing
