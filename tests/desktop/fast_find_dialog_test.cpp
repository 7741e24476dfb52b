// SPDX-License-Identifier: MIT
// The Chord Fast Finder window over its model, used with the mouse and the keyboard.
#include "desktop/fast_find_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>

namespace fretlux {
namespace {

class FastFindDialogTest : public ::testing::Test {
protected:
    void Open() {
        form = std::make_unique<FastFindForm>(choice);
        form->Load();
        dialog = std::make_unique<FastFindDialog>(*form, nullptr);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    QListWidget* List(const char* name) const {
        return dialog->findChild<QListWidget*>(QString::fromLatin1(name));
    }

    // The selected row of each list, -1 for none.
    std::string Shown() const {
        std::string shown;
        for (const char* name : {"lstChord", "lstType", "lstType2", "lstVariat"}) {
            const auto selected = List(name)->selectedItems();
            shown +=
                std::to_string(selected.isEmpty() ? -1 : List(name)->row(selected.first())) + " ";
        }
        return shown;
    }

    void Click(const char* list, int row) {
        QListWidget* widget = List(list);
        const QRect rect = widget->visualItemRect(widget->item(row));
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, rect.center());
    }

    std::string Choice() const {
        return std::to_string(choice.gChordRoot) + " " + std::to_string(choice.gChordType) + " " +
               std::to_string(choice.gChordVariation);
    }

    ChordChoice choice;
    std::unique_ptr<FastFindForm> form;
    std::unique_ptr<FastFindDialog> dialog;
};

TEST_F(FastFindDialogTest, ShowsTheListsWithTheirSelectionsAndTabsFromFindThroughTheLists) {
    Open();
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Chord Fast Finder");
    EXPECT_EQ(List("lstType")->count(), 17);
    EXPECT_EQ(List("lstType2")->item(9)->text().toStdString(), "Major");
    EXPECT_EQ(Shown(), "0 -1 9 0 ");
    // The Tab key goes round from Find, which has the focus at the start.
    std::string chain;
    for (int i = 0; i < 7; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        chain += focus->objectName().toStdString() + " ";
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(chain, "cmdFind cmdClose lstChord lstType lstVariat lstType2 cmdFind ");
}

TEST_F(FastFindDialogTest, ClicksAndArrowsChooseTheTypeListsClearEachOtherAndEnterFinds) {
    Open();
    Click("lstType", 16);  // minor
    EXPECT_EQ(Shown(), "0 16 -1 0 ");
    Click("lstType2", 4);  // m7
    EXPECT_EQ(Shown(), "0 -1 4 0 ");
    List("lstChord")->setFocus();
    QTest::keyClick(List("lstChord"), Qt::Key_Down);
    QTest::keyClick(List("lstChord"), Qt::Key_Down);
    List("lstVariat")->setFocus();
    QTest::keyClick(List("lstVariat"), Qt::Key_Down);
    EXPECT_EQ(Shown(), "2 -1 4 1 ");
    QTest::keyClick(List("lstVariat"), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Choice(), "2 21 1");
}

TEST_F(FastFindDialogTest, EscapeClosesAsCloseDoesAndTheWindowsCloseButtonChangesNothing) {
    choice = {4, 8, 2};
    Open();
    // The previous root stays selected; the type and variation start again at Major, 1.
    EXPECT_EQ(Shown(), "4 -1 9 0 ");
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Choice(), "-1 8 2");

    choice = {4, 8, 2};
    Open();
    Click("lstType", 1);
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Choice(), "4 8 2");
}

}  // namespace
}  // namespace fretlux
