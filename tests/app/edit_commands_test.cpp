// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "document/tab_cell.h"
#include "form_fixture.h"

namespace fretlux::testing {
namespace {

// Positions for a plain block of `columns` columns that are easy to follow through cuts and
// pastes: a bar, then the letters a, b, c ..., then three hyphens.
std::string LetteredColumns(int columns) {
    std::string positions;
    for (int c = 1; c < columns - 3; ++c) positions += static_cast<char>('a' + c - 1);
    return positions;
}

int ColumnsOf(const std::string& line) { return static_cast<int>(line.size()) / kCellWidth - 1; }

class ColumnCommands : public FormTest {
protected:
    // A blank TAB of 78 columns from New, with a note cell put in at column 1 of line 1.
    void NewWithNote(const std::string& noteCell) {
        form.mnuFileNew_Click();
        form.document.tabLines[0][1].replace(kCellWidth * 2, kCellWidth, noteCell);
        form.ShowCurrentTab();
    }

    void Select(int column, int length) {
        form.curColumn = column;
        form.selLength = length;
        form.UpdateColumnCursor();
    }
};

TEST_F(ColumnCommands, CutRemovesTheSelectionAndLeavesTheCursorOnTheNextColumn) {
    form.mnuFileNew_Click();
    std::string& line = form.document.tabLines[0][1];
    line.replace(kCellWidth * 6, kCellWidth, "|    ");  // column 5 becomes a bar
    form.ShowCurrentTab();
    Select(2, 3);
    form.mnuEditCut_Click();
    EXPECT_EQ(ColumnsOf(Line(1, 1)), 75);
    EXPECT_EQ(form.lastColumn, 74);
    EXPECT_EQ(form.curColumn, 2);
    EXPECT_EQ(form.selLength, 0);
    EXPECT_EQ(form.columnCells[2][1], "|    ");
    EXPECT_EQ(form.clipboardWidth, 15);
    EXPECT_EQ(form.tabClipboard[1], "-    -    -    ");
}

TEST_F(ColumnCommands, CopyLeavesTheTabAsItWasAndCopyWithoutSelectionEmptiesTheClipboard) {
    NewWithNote("3DH  ");
    const std::string before = Line(1, 1);
    Select(1, 2);
    form.mnuEditCopy_Click();
    EXPECT_EQ(Line(1, 1), before);
    EXPECT_EQ(form.tabClipboard[1], "3DH  -    ");
    EXPECT_EQ(form.tabClipboard[6], "-    -    ");
    EXPECT_EQ(form.selLength, 2);

    Select(4, 0);
    form.mnuEditCopy_Click();
    EXPECT_EQ(form.tabClipboard[1], "");
    form.mnuEditPaste_Click();
    EXPECT_EQ(Line(1, 1), before);
    EXPECT_EQ(form.selLength, 0);
}

TEST_F(ColumnCommands, PasteIntoAFullTabDropsTheColumnsPushedPastTheEnd) {
    NewWithNote("3DH  ");
    Select(0, 3);
    form.mnuEditCopy_Click();
    Select(10, 0);
    form.mnuEditPaste_Click();
    EXPECT_EQ(Line(1, 1).size(), 395u);
    EXPECT_EQ(Line(1, 1).substr(kCellWidth * 12, kCellWidth), "3DH  ");
    EXPECT_EQ(form.curColumn, 10);
    EXPECT_EQ(form.selLength, 3);
}

TEST_F(ColumnCommands, PasteReplacesTheSelection) {
    OpenText("count.tab", PlainBlock("count", LetteredColumns(10)));
    Select(1, 1);
    form.mnuEditCopy_Click();
    Select(4, 3);
    form.mnuEditPaste_Click();
    EXPECT_EQ(form.lblTAB[1].caption, "E|abca---");
}

TEST_F(ColumnCommands, PasteRendersTheSecondDigitOfATwoDigitFret) {
    OpenText("twelve.tab", PlainBlock("twelve", "-12-----"));
    Select(2, 1);  // the note cell of fret 12, without the cell of its second digit
    form.mnuEditCopy_Click();
    Select(6, 0);
    form.mnuEditPaste_Click();
    EXPECT_EQ(form.lblTAB[1].caption, "E|-12--12-----");
}

TEST_F(ColumnCommands, PasteAtTheLastColumnSelectsOnlyWhatWasThereBefore) {
    OpenText("ten.tab", PlainBlock("ten columns", LetteredColumns(10)));
    ASSERT_EQ(form.lastColumn, 9);
    Select(0, 3);
    form.mnuEditCopy_Click();
    Select(9, 0);
    form.mnuEditPaste_Click();
    EXPECT_EQ(form.curColumn, 9);
    EXPECT_EQ(form.selLength, 1);
    EXPECT_EQ(form.lastColumn, 12);
}

TEST_F(ColumnCommands, PasteTabBarReplacesTheSelectionWithOneBar) {
    OpenText("count.tab", PlainBlock("count", LetteredColumns(10)));
    Select(3, 3);
    form.mnuEditPasteBar_Click();
    for (int l = 1; l <= 6; ++l) EXPECT_EQ(form.columnCells[3][l], "|    ") << "line " << l;
    EXPECT_EQ(form.lblTAB[1].caption, "E|ab|f---");
    EXPECT_EQ(form.curColumn, 3);
    EXPECT_EQ(form.selLength, 0);
}

TEST_F(ColumnCommands, CuttingEveryColumnDeletesTheTab) {
    OpenText("two.tab", PlainBlock("to be cut", "-1-") + PlainBlock("stays", "-2-"));
    Select(0, 7);
    form.mnuEditCut_Click();
    EXPECT_EQ(form.hscTAB.Max(), 1);
    EXPECT_EQ(form.txtTAB.Text(), "stays");
}

TEST_F(ColumnCommands, DoNothingWithoutADocument) {
    form.mnuEditCut_Click();
    form.mnuEditPaste_Click();
    form.mnuEditPasteBar_Click();
    form.mnuEditCopy_Click();
    form.lblStr_MouseDown(1, 3, kLeftButton);
    form.mnuEditPasteFret_Click();
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

    std::string Label(int tabNumber) const { return Line(tabNumber, 0).substr(0, 6); }
};

TEST_F(TabCommands, InsertTabPutsABlankTabBeforeTheShownOne) {
    form.hscTAB.SetValue(2);
    form.mnuEditInsTab_Click();
    EXPECT_EQ(form.hscTAB.Max(), 4);
    EXPECT_EQ(form.hscTAB.Value(), 2);
    EXPECT_EQ(Line(2, 0), std::string(79, ' '));
    EXPECT_EQ(Line(2, 1), BlankStringLine(1));
    EXPECT_EQ(Label(3), "second");
    EXPECT_EQ(Label(4), "third");
    EXPECT_EQ(form.imgEdit, EditPicture::imgEdit2Up);
}

TEST_F(TabCommands, InsertTabOnAnEmptyDocumentMakesANewOne) {
    form.mnuFileNew_Click();
    form.mnuEditDelTab_Click();
    ASSERT_EQ(form.hscTAB.Max(), 0);
    form.mnuEditInsTab_Click();
    EXPECT_EQ(form.hscTAB.Max(), 1);
    EXPECT_EQ(form.gCurrentPath, "UNTITLED.FLX");
}

TEST_F(TabCommands, InsertTabIntoAFullDocumentIsRefusedAndKeepsIt) {
    std::string blocks;
    for (int t = 0; t < 101; ++t) blocks += PlainBlock("tab" + std::to_string(t), "-5-");
    OpenText("full.tab", blocks);
    ASSERT_EQ(form.hscTAB.Max(), 101);
    form.hscTAB.SetValue(50);
    host.messages.clear();
    form.mnuEditInsTab_Click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kTooManyTabsMessage);
    EXPECT_EQ(form.hscTAB.Max(), 101);
    EXPECT_EQ(Line(101, 0), "tab100");
    EXPECT_EQ(Line(50, 0), "tab49");
}

TEST_F(TabCommands, DeletingTheLastTabShowsTheOneBeforeWithItsSettings) {
    form.hscTAB.SetValue(2);
    form.hscTempo.SetValue(60);
    form.hscTAB.SetValue(3);
    form.hscTempo.SetValue(150);
    form.mnuEditDelTab_Click();
    EXPECT_EQ(form.hscTAB.Max(), 2);
    EXPECT_EQ(form.hscTAB.Value(), 2);
    EXPECT_EQ(form.txtTAB.Text().substr(0, 6), "second");
    EXPECT_EQ(form.hscTempo.Value(), 60);
    EXPECT_EQ(form.lblHelp.caption, "TAB: 2 of 3");
}

TEST_F(TabCommands, DeletingAnEarlierTabMovesTheNextIntoItsPlace) {
    form.hscTempo.SetValue(99);
    form.mnuEditDelTab_Click();
    EXPECT_EQ(form.hscTAB.Max(), 2);
    EXPECT_EQ(form.hscTAB.Value(), 1);
    EXPECT_EQ(form.txtTAB.Text(), "second");
    EXPECT_EQ(Label(2), "third");
    // The moved TAB is shown without a TAB change: the bars keep what they had.
    EXPECT_EQ(form.hscTempo.Value(), 99);
    EXPECT_TRUE(form.document.tabLines[2][0].empty());
}

TEST_F(TabCommands, DeletingTheOnlyTabLeavesAnEmptyDocument) {
    form.mnuEditDelTab_Click();
    form.mnuEditDelTab_Click();
    form.mnuEditDelTab_Click();
    EXPECT_EQ(form.hscTAB.Max(), 0);
    EXPECT_EQ(form.hscTAB.Value(), 0);
    EXPECT_EQ(form.lblHelp.caption, "TAB: 0 of 0");
    EXPECT_EQ(form.txtTAB.Text(), "");
    EXPECT_EQ(form.lblTAB[1].caption, "");
}

}  // namespace
}  // namespace fretlux::testing
