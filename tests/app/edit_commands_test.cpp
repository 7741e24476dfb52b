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
        form.Run(Command::NewDocument);
        Rewrite([](TabDocument& document) {
            document.tabLines[0][1].replace(kCellWidth * 2, kCellWidth, "3DH  ");
        });
    }
};

TEST_F(ColumnCommands, CutRemovesTheSelectionAndLeavesTheCursorOnTheNextColumn) {
    form.Run(Command::NewDocument);
    Rewrite([](TabDocument& document) {
        document.tabLines[0][1].replace(kCellWidth * 6, kCellWidth, "|    ");  // column 5
    });
    Select(2, 3);
    form.Run(Command::CutColumns);
    EXPECT_EQ(Line(1, 1).size(), 76u * kCellWidth);
    EXPECT_EQ(View(), "TAB 1/1 column 2+0 of 74");
    EXPECT_EQ(Cell(2, 1), "|    ");
    // Pasted at the start, the cut columns come back selected.
    Select(0, 0);
    form.Run(Command::PasteColumns);
    EXPECT_EQ(Line(1, 1).substr(kCellWidth, 3 * kCellWidth), "-    -    -    ");
    EXPECT_EQ(View(), "TAB 1/1 column 0+3 of 77");
}

TEST_F(ColumnCommands, CopyKeepsTheTabAndWithoutASelectionEmptiesTheClipboard) {
    NewWithNote();
    const std::string before = Line(1, 1);
    Select(1, 2);
    form.Run(Command::CopyColumns);
    EXPECT_EQ(Line(1, 1), before);
    EXPECT_EQ(View(), "TAB 1/1 column 1+2 of 77");
    Select(5, 0);
    form.Run(Command::PasteColumns);
    EXPECT_EQ(Line(1, 1).substr(6 * kCellWidth, 2 * kCellWidth), "3DH  -    ");
    EXPECT_EQ(Line(1, 6).substr(6 * kCellWidth, 2 * kCellWidth), "-    -    ");
    form.Run(Command::Undo);

    Select(4, 0);
    form.Run(Command::CopyColumns);
    form.Run(Command::PasteColumns);
    EXPECT_EQ(Line(1, 1), before);
    EXPECT_EQ(form.Columns().SelectionLength(), 0);
}

TEST_F(ColumnCommands, PasteIntoAFullTabDropsTheColumnsPushedPastTheEnd) {
    NewWithNote();
    Select(0, 3);
    form.Run(Command::CopyColumns);
    Select(10, 0);
    form.Run(Command::PasteColumns);
    EXPECT_EQ(Line(1, 1).size(), 395u);
    EXPECT_EQ(Line(1, 1).substr(kCellWidth * 12, kCellWidth), "3DH  ");
    EXPECT_EQ(View(), "TAB 1/1 column 10+3 of 77");
}

TEST_F(ColumnCommands, PasteReplacesTheSelectionAndAtTheLastColumnSelectsWhatWasThere) {
    OpenText("count.tab", kLettered);
    ASSERT_EQ(form.Columns().LastColumn(), 9);
    Select(1, 1);
    form.Run(Command::CopyColumns);
    Select(4, 3);
    form.Run(Command::PasteColumns);
    EXPECT_EQ(form.Controls().lblTAB[1].caption, "E|abca---");

    ASSERT_EQ(form.Columns().LastColumn(), 7);
    Select(0, 3);
    form.Run(Command::CopyColumns);
    Select(7, 0);
    form.Run(Command::PasteColumns);
    EXPECT_EQ(form.Controls().lblTAB[1].caption, "E|abca--|ab-");
    EXPECT_EQ(View(), "TAB 1/1 column 7+1 of 10");
}

TEST_F(ColumnCommands, PasteRendersTheSecondDigitOfATwoDigitFret) {
    OpenText("twelve.tab", PlainBlock("twelve", "-12-----"));
    Select(2, 1);  // the note cell of fret 12, without the cell of its second digit
    form.Run(Command::CopyColumns);
    Select(6, 0);
    form.Run(Command::PasteColumns);
    EXPECT_EQ(form.Controls().lblTAB[1].caption, "E|-12--12-----");
}

TEST_F(ColumnCommands, PasteTabBarReplacesTheSelectionWithOneBar) {
    OpenText("count.tab", kLettered);
    Select(3, 3);
    form.Run(Command::PasteBarLine);
    for (int l = 1; l <= 6; ++l) EXPECT_EQ(Cell(3, l), "|    ") << "line " << l;
    EXPECT_EQ(form.Controls().lblTAB[1].caption, "E|ab|f---");
    EXPECT_EQ(View(), "TAB 1/1 column 4+0 of 7");
}

TEST_F(ColumnCommands, CuttingEveryColumnDeletesTheTab) {
    OpenText("two.tab", PlainBlock("to be cut", "-1-") + PlainBlock("stays", "-2-"));
    Select(0, 7);
    form.Run(Command::CutColumns);
    EXPECT_EQ(form.Controls().hscTAB.Max(), 1);
    EXPECT_EQ(form.Controls().txtTAB.Text(), "stays");
}

TEST_F(ColumnCommands, DoNothingWithoutADocument) {
    form.Run(Command::CutColumns);
    form.Run(Command::PasteColumns);
    form.Run(Command::PasteBarLine);
    form.Run(Command::CopyColumns);
    form.Board().Press(1, 3, kLeftButton);
    form.Run(Command::PasteFretboard);
    form.Run(Command::DeleteTab);
    EXPECT_EQ(form.Controls().hscTAB.Max(), 0);
    EXPECT_EQ(form.Document().tabCount, 0);
}

class TabCommands : public FormTest {
protected:
    void SetUp() override {
        OpenText("three.tab", PlainBlock("first", "-1-") + PlainBlock("second", "-2-") +
                                  PlainBlock("third", "-3-"));
    }
};

TEST_F(TabCommands, InsertTabPutsABlankTabBeforeTheShownOne) {
    form.Controls().hscTAB.SetValue(2);
    form.Run(Command::InsertTab);
    EXPECT_EQ(View(), "TAB 2/4 column 0+0 of 77");
    EXPECT_EQ(Line(2, 0), std::string(79, ' '));
    EXPECT_EQ(Line(2, 1), BlankStringLine(1));
    EXPECT_EQ(Line(3, 0).substr(0, 6), "second");
    EXPECT_EQ(Line(4, 0), "third");
    EXPECT_EQ(form.Controls().imgEdit, EditPicture::imgEdit2Up);
    EXPECT_EQ(form.Controls().lblHelp.caption, "TAB: 2 of 4");
}

TEST_F(TabCommands, InsertTabIntoAFullDocumentIsRefusedAndIntoAnEmptyOneMakesANewOne) {
    std::string blocks;
    for (int t = 0; t < 101; ++t) blocks += PlainBlock("tab" + std::to_string(t), "-5-");
    OpenText("full.tab", blocks);
    ASSERT_EQ(form.Controls().hscTAB.Max(), 101);
    form.Controls().hscTAB.SetValue(50);
    host.messages.clear();
    form.Run(Command::InsertTab);
    EXPECT_EQ(host.Asked(),
              std::vector<std::string>{std::string(kTooManyTabsMessage) + " [Ok Exclamation Ok]"});
    EXPECT_EQ(form.Controls().hscTAB.Max(), 101);
    EXPECT_EQ(Line(101, 0), "tab100");
    EXPECT_EQ(Line(50, 0), "tab49");

    OpenText("empty.tab", "");
    form.Run(Command::InsertTab);
    EXPECT_EQ(form.Controls().hscTAB.Max(), 1);
    EXPECT_EQ(form.DocumentPath(), "UNTITLED.FLX");
}

TEST_F(TabCommands, DeletingTheLastTabShowsTheOneBeforeWithItsSettings) {
    form.Controls().hscTAB.SetValue(2);
    form.Controls().hscTempo.SetValue(60);
    form.Controls().hscTAB.SetValue(3);
    form.Controls().hscTempo.SetValue(150);
    form.Run(Command::DeleteTab);
    EXPECT_EQ(View(), "TAB 2/2 column 0+0 of 6");
    EXPECT_EQ(form.Controls().txtTAB.Text().substr(0, 6), "second");
    EXPECT_EQ(form.Controls().hscTempo.Value(), 60);
    EXPECT_EQ(form.Controls().lblHelp.caption, "TAB: 2 of 2");
}

TEST_F(TabCommands, DeletingAnEarlierTabMovesTheNextIntoItsPlaceUntilNoneIsLeft) {
    form.Controls().hscTAB.SetValue(2);
    TypeTabText("Play it twice\r\n");
    form.Controls().hscTAB.SetValue(1);
    form.Controls().hscTempo.SetValue(99);
    ASSERT_EQ(form.Controls().imgEdit, EditPicture::imgEdit2Up);
    form.Run(Command::DeleteTab);
    EXPECT_EQ(View(), "TAB 1/2 column 0+0 of 6");
    EXPECT_EQ(form.Controls().imgEdit, EditPicture::imgEditUp);
    EXPECT_EQ(form.Controls().lblHelp.caption, "TAB: 1 of 2");
    EXPECT_EQ(form.Controls().txtTAB.Text(), "second");
    EXPECT_EQ(Line(2, 0), "third");
    // The moved TAB is shown without a TAB change: the bars keep what they had.
    EXPECT_EQ(form.Controls().hscTempo.Value(), 99);
    EXPECT_TRUE(form.Document().tabLines[2][0].empty());

    form.Run(Command::DeleteTab);
    form.Run(Command::DeleteTab);
    EXPECT_EQ(form.Controls().hscTAB.Max(), 0);
    EXPECT_EQ(form.Controls().hscTAB.Value(), 0);
    EXPECT_EQ(form.Controls().lblHelp.caption, "TAB: 0 of 0");
    EXPECT_EQ(form.Controls().txtTAB.Text(), "");
    EXPECT_EQ(form.Controls().lblTAB[1].caption, "");
}

}  // namespace
}  // namespace fretlux::testing
