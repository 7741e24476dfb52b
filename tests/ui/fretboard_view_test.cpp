// SPDX-License-Identifier: MIT
// The fretboard, its buttons and its menu entries, driven with the mouse and the keyboard as a
// user would, checked on the model, on the MIDI messages sent and on the pixels drawn. The rules
// of the marks themselves are the fretboard and window model tests' business.
#include "ui/fretboard_view.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <utility>

#include "board_test_support.h"
#include "ui/picture_button.h"
#include "ui/tab_lines_view.h"
#include "window_fixture.h"

namespace fretlux {
namespace {

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

class FretboardTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window.resize(1366, 740);
        QTest::qWait(0);
        board = &Find<FretboardView>("fretboard");
    }

    QPoint Pixel(int row, int index) const {
        return board->CellRect(row, index).center().toPoint();
    }

    void Press(int row, int index, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(board, button, Qt::NoModifier, Pixel(row, index));
    }

    // What a real double click delivers to a widget: the second press comes only as the
    // double-click event.
    void DoubleClick(int row, int index, Qt::MouseButton button) {
        const QPoint at = Pixel(row, index);
        const std::pair<QEvent::Type, Qt::MouseButtons> steps[] = {
            {QEvent::MouseButtonPress, button},
            {QEvent::MouseButtonRelease, Qt::NoButton},
            {QEvent::MouseButtonDblClick, button},
            {QEvent::MouseButtonRelease, Qt::NoButton}};
        for (const auto& [type, held] : steps) {
            QMouseEvent event(type, at, board->mapToGlobal(at), button, held, Qt::NoModifier);
            QApplication::sendEvent(board, &event);
        }
    }

    void MoveOver(QWidget& widget, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&widget, &move);
    }

    QColor DrawnAt(int row, int index) const {
        const QImage image = board->grab().toImage();
        return image.pixelColor(Pixel(row, index) * image.devicePixelRatio());
    }

    // Whether the cell shows a finger number, which is drawn in yellow.
    bool ShowsFinger(int row, int index) const {
        const QImage image = board->grab().toImage();
        const QRect cell = board->CellRect(row, index).toRect();
        for (int x = cell.left(); x <= cell.right(); ++x) {
            for (int y = cell.top(); y <= cell.bottom(); ++y) {
                const QColor c = image.pixelColor(QPoint(x, y) * image.devicePixelRatio());
                if (c.red() > 200 && c.green() > 200 && c.blue() < 80) return true;
            }
        }
        return false;
    }

    std::vector<int> NotesOn() const { return host.midiOut.NotesOn(); }

    int MarkCount() const { return fretlux::MarkCount(form.Board().Marks()); }

    FretboardView* board = nullptr;
};

TEST_F(FretboardTest, CellsRunLeftToRightAndTopDownAcrossTheWholeWidth) {
    EXPECT_LT(board->CellRect(1, 0).right(), board->CellRect(1, 1).center().x());
    EXPECT_LT(board->CellRect(1, 0).bottom(), board->CellRect(2, 0).center().y());
    EXPECT_LT(board->CellRect(1, 0).left(), board->width() * 0.05);
    EXPECT_GT(board->CellRect(6, 24).right(), board->width() * 0.95);
    EXPECT_LE(board->CellRect(6, 24).bottom(), board->height());
    // Big enough to hit and to read.
    EXPECT_GE(board->CellRect(1, 0).width(), 30);
    EXPECT_GE(board->CellRect(1, 0).height(), 18);
}

TEST_F(FretboardTest, EveryRowAndPositionIsReachedWhereItIsDrawnAndSoundsThere) {
    const std::pair<int, int> places[] = {{1, 5}, {2, 24}, {3, 12}, {4, 1}, {5, 23}, {6, 7}};
    int count = 0;
    for (const auto& [row, index] : places) {
        Press(row, index);
        EXPECT_TRUE(form.Board().Marks().At(row, index).marked) << row << "," << index;
        EXPECT_EQ(MarkCount(), ++count);
        EXPECT_EQ(DrawnAt(row, index), kRed) << row << "," << index;
    }
    EXPECT_NE(DrawnAt(1, 6), kRed);
    // Fret 5 of the low E string is note 45.
    ASSERT_EQ(NotesOn().size(), 6u);
    EXPECT_EQ(NotesOn()[0], 45);
    EXPECT_EQ(Find<QLabel>("lblNote").text().toStdString(), form.Midi().lblNote);
}

TEST_F(FretboardTest, ADoubleClickIsOnePressAndOneFingerStep) {
    DoubleClick(2, 3, Qt::LeftButton);
    EXPECT_EQ(form.Board().Marks().At(2, 3).finger, "1");
    EXPECT_EQ(NotesOn().size(), 1u);
    EXPECT_TRUE(ShowsFinger(2, 3));
    // The right button's makes a red note black without removing it.
    DoubleClick(2, 3, Qt::RightButton);
    EXPECT_TRUE(form.Board().Marks().At(2, 3).marked);
    EXPECT_FALSE(form.Board().Marks().At(2, 3).red);
    // Single right presses draw a mark black, then remove it.
    Press(3, 4);
    Press(3, 4, Qt::RightButton);
    EXPECT_EQ(DrawnAt(3, 4), kBlack);
    Press(3, 4, Qt::RightButton);
    EXPECT_FALSE(form.Board().Marks().At(3, 4).marked);
    EXPECT_NE(DrawnAt(3, 4), kBlack);
}

TEST_F(FretboardTest, TheButtonsBesideTheBoardActOnTheLastNote) {
    Press(4, 6);
    EXPECT_FALSE(ShowsFinger(4, 6));
    QTest::mouseClick(&Find<PictureButton>("imgFNum2"), Qt::LeftButton);
    EXPECT_EQ(form.Board().Marks().At(4, 6).finger, "3");
    EXPECT_TRUE(ShowsFinger(4, 6));
    QTest::mouseClick(&Find<PictureButton>("imgFNum4"), Qt::LeftButton);
    EXPECT_EQ(form.Board().Marks().At(4, 6).finger, "T");
    QTest::mouseClick(&Find<PictureButton>("imgNoSound"), Qt::LeftButton);
    EXPECT_FALSE(form.Board().Marks().At(4, 6).red);
    QTest::mouseClick(&Find<PictureButton>("imgSound"), Qt::LeftButton);
    EXPECT_TRUE(form.Board().Marks().At(4, 6).red);
    QTest::mouseClick(&Find<PictureButton>("imgTrash"), Qt::LeftButton);
    EXPECT_EQ(MarkCount(), 0);
    EXPECT_EQ(Find<QLabel>("lblNote").text(), QString());
}

TEST_F(FretboardTest, RotateButtonsTurnTheBoardOnThePressAndTheMenuEntriesToo) {
    Press(1, 0);
    PictureButton& leftRight = Find<PictureButton>("imgLefRig");
    QTest::mousePress(&leftRight, Qt::LeftButton);
    EXPECT_TRUE(form.Board().Marks().At(1, 24).marked);
    EXPECT_EQ(DrawnAt(1, 24), kRed);
    QTest::mouseRelease(&leftRight, Qt::LeftButton);
    EXPECT_TRUE(form.Board().Marks().At(1, 24).marked);
    QTest::mousePress(&Find<PictureButton>("imgUpDown"), Qt::RightButton);
    EXPECT_EQ(DrawnAt(6, 24), kRed);
    QTest::mouseRelease(&Find<PictureButton>("imgUpDown"), Qt::RightButton);
    EXPECT_EQ(MarkCount(), 1);

    Trigger("mnuSetLefRig");
    Trigger("mnuSetUpDown");
    EXPECT_TRUE(form.Board().Marks().At(1, 0).marked);
    EXPECT_EQ(DrawnAt(1, 0), kRed);
}

TEST_F(FretboardTest, EnterInTheLabelBoxPastesTheFretboardIntoTheTabAndIsTypedThere) {
    Trigger("mnuFileNew");
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Press(1, 5);
    QLineEdit& label = Find<QLineEdit>("txtTAB");
    label.setFocus();
    int returnPressed = 0;
    QObject::connect(&label, &QLineEdit::returnPressed, [&returnPressed] { ++returnPressed; });
    QTest::keyClick(&label, Qt::Key_Return);
    EXPECT_EQ(returnPressed, 1);
    // Row 1 is the low E string, the bottom TAB line.
    const auto& lines = Find<TabLinesView>("lblTAB").Lines();
    EXPECT_TRUE(lines[5].contains(QLatin1Char('5'))) << lines[5].toStdString();
    EXPECT_FALSE(lines[0].contains(QLatin1Char('5'))) << lines[0].toStdString();
}

TEST_F(FretboardTest, SoundEntryTogglesTheSoundAndItsCheckAndPlayFretboardSoundsTheMarks) {
    QAction& sound = Find<QAction>("mnuSetSound");
    ASSERT_TRUE(sound.isChecked());
    Trigger("mnuSetSound");
    EXPECT_FALSE(sound.isChecked());
    Press(2, 2);
    EXPECT_TRUE(NotesOn().empty());
    Trigger("mnuSetSound");
    EXPECT_TRUE(sound.isChecked());
    Press(6, 0);
    EXPECT_EQ(NotesOn().size(), 1u);
    Trigger("mnuPlayFret");
    EXPECT_EQ(NotesOn().size(), 3u);
}

TEST_F(FretboardTest, HoveringShowsTheHintInBlueAndTheBackgroundTheTabPositionInBlack) {
    const QLabel& help = Find<QLabel>("lblHelp");
    const QColor blue(0, 0, 255);
    // The buttons' own hints are the picture buttons' tests' business.
    MoveOver(Find<PictureButton>("imgUpDown"), QPoint(5, 5));
    EXPECT_EQ(help.text().toStdString(), "HELP: Rotate fretboard upside down");
    MoveOver(*window.centralWidget(), QPoint(2, 2));
    EXPECT_EQ(help.text(), QStringLiteral("TAB: 0 of 0"));
    EXPECT_EQ(help.palette().color(QPalette::WindowText), kBlack);
    MoveOver(*board, Pixel(3, 9));
    EXPECT_EQ(help.text().toStdString(), kFretboardHint);
    EXPECT_EQ(help.palette().color(QPalette::WindowText), blue);
    MoveOver(*board, board->NameRect(true, 2).center().toPoint());
    EXPECT_EQ(help.text().toStdString(), kStringNamesHint);
    // Every other control shows a hint of its own, never the one before it.
    for (const char* control :
         {"txtTAB", "lblTAB", "hscTAB", "hscTempo", "lblVolume", "HScrollPatch", "lblNote"}) {
        const QString before = help.text();
        MoveOver(Find<QWidget>(control), QPoint(2, 2));
        EXPECT_TRUE(help.text().startsWith(QStringLiteral("HELP: "))) << control;
        EXPECT_NE(help.text(), before) << control;
    }

    // A click on a string's name sounds that open string: the A string is MIDI note 45.
    host.midiOut.messages.clear();
    QTest::mouseClick(board, Qt::LeftButton, Qt::NoModifier,
                      board->NameRect(true, 2).center().toPoint());
    ASSERT_EQ(NotesOn().size(), 1u);
    EXPECT_EQ(NotesOn()[0], 45);

    form.Controls().lblPatch.caption = "Acoustic Guitar (steel)";
    window.SyncFromModel();
    EXPECT_EQ(Find<QLabel>("lblPatch").text(), QStringLiteral("Acoustic Guitar (steel)"));
}

}  // namespace
}  // namespace fretlux
