// SPDX-License-Identifier: MIT
// The TAB lines and the TAB scroll bar, driven with the mouse as a user would. Pixel positions
// are worked out here from the TAB font itself, not from the view's own geometry.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <cmath>

#include "ui/tab_lines_view.h"
#include "window_fixture.h"

namespace fretlux {
namespace {

class TabViewTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Trigger("mnuFileNew");
        lines = &Find<TabLinesView>("lblTAB");
        charWidth = QFontMetricsF(lines->font()).horizontalAdvance(QLatin1Char('M'));
        origin = lines->Geometry().originPx;
    }

    // The middle of the symbol of column c, which is character c + 2 of its line.
    QPoint ColumnPixel(int column, int line = 3) const {
        const double x = origin + (column + 1.5) * charWidth;
        return {static_cast<int>(std::lround(x)),
                static_cast<int>(lines->LineRect(line).center().y())};
    }

    void DragTo(const QPoint& point, Qt::MouseButtons held = Qt::LeftButton) {
        QMouseEvent move(QEvent::MouseMove, point, lines->mapToGlobal(point), Qt::NoButton, held,
                         Qt::NoModifier);
        QApplication::sendEvent(lines, &move);
    }

    TabLinesView* lines = nullptr;
    double charWidth = 0;
    double origin = 0;
};

TEST_F(TabViewTest, ShowsTheSixStringLinesOfTheNewTabWholeAt1366Pixels) {
    EXPECT_EQ(lines->Lines()[0], QStringLiteral("E") + QString(78, '-'));
    EXPECT_EQ(lines->Lines()[1].left(2), QStringLiteral("B-"));
    EXPECT_EQ(lines->Lines()[5].left(2), QStringLiteral("E-"));
    window.resize(1366, 700);
    QTest::qWait(0);
    EXPECT_GE(lines->width(), origin + TabLinesView::kShownCharacters * charWidth);
}

// Pixels of the cursor line's red in image column x.
int RedPixels(const QImage& image, double x) {
    int red = 0;
    const int px = static_cast<int>(std::floor(x * image.devicePixelRatio()));
    for (int y = 0; y < image.height(); ++y) {
        const QColor c = image.pixelColor(px, y);
        red += c.red() > 150 && c.green() < 80;
    }
    return red;
}

TEST_F(TabViewTest, ClickOnAColumnMovesTheCursorThereAndDrawsItAtTheLeftEdgeOfTheSymbol) {
    for (int column : {0, 10, 40, 77}) {
        QTest::mouseClick(lines, Qt::LeftButton, Qt::NoModifier, ColumnPixel(column));
        EXPECT_EQ(form.Columns().CursorColumn(), column);
        EXPECT_EQ(form.Columns().SelectionLength(), 0);
        const double x = lines->CursorPixelX(1);
        EXPECT_NEAR(x, origin + (column + 1) * charWidth, 0.01) << "column " << column;
        EXPECT_DOUBLE_EQ(lines->CursorPixelX(2), x);
        // Drawn in red there, and the next character's middle is plain background.
        const QImage image = lines->grab().toImage();
        EXPECT_GT(RedPixels(image, x), 0) << "column " << column;
        EXPECT_EQ(RedPixels(image, x + charWidth / 2), 0) << "column " << column;
    }
    // Without a TAB there is no cursor line.
    Trigger("mnuEditDelTab");
    const QImage empty = lines->grab().toImage();
    int red = 0;
    for (int x = 0; x < lines->width(); ++x) red += RedPixels(empty, x);
    EXPECT_EQ(red, 0);
}

// Dark grey pixels (text, not the red cursor line) in the upper third of a line's band,
// within character cell i of the line.
int InkInUpperPart(const QImage& image, const TabLinesView& lines, double origin, double width,
                   int line, int i) {
    const double ratio = image.devicePixelRatio();
    const QRectF band = lines.LineRect(line);
    int ink = 0;
    for (int x = static_cast<int>(std::ceil((origin + i * width) * ratio));
         x < static_cast<int>((origin + (i + 1) * width) * ratio); ++x) {
        for (int y = static_cast<int>(band.top() * ratio);
             y < static_cast<int>((band.top() + band.height() / 3) * ratio); ++y) {
            const QRgb pixel = image.pixel(x, y);
            if (qRed(pixel) < 128 && qGreen(pixel) < 128 && qBlue(pixel) < 128) ++ink;
        }
    }
    return ink;
}

TEST_F(TabViewTest, BarPastedAtAColumnIsDrawnInThatColumnsCharacterCell) {
    // Far to the right, where a drawing that drifts from the geometry is off by a character.
    QTest::mouseClick(lines, Qt::LeftButton, Qt::NoModifier, ColumnPixel(70));
    Trigger("mnuEditPasteBar");
    ASSERT_EQ(lines->Lines()[2][71], QLatin1Char('|'));
    const QImage image = lines->grab().toImage();
    // A "|" reaches into the upper part of the line, a "-" does not.
    EXPECT_GT(InkInUpperPart(image, *lines, origin, charWidth, 3, 71), 0);
    EXPECT_EQ(InkInUpperPart(image, *lines, origin, charWidth, 3, 70), 0);
    EXPECT_EQ(InkInUpperPart(image, *lines, origin, charWidth, 3, 72), 0);
}

TEST_F(TabViewTest, ScrollBarArrowChangesTheTabAndDraggingOnlyTheHelpLine) {
    Trigger("mnuEditInsTab");
    QScrollBar& tabs = Find<QScrollBar>("hscTAB");
    EXPECT_EQ(tabs.maximum(), 2);
    form.Controls().txtTAB.SetText("first");
    window.SyncFromModel();

    tabs.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(form.Controls().hscTAB.Value(), 2);
    EXPECT_EQ(Find<QLabel>("lblHelp").text(), QStringLiteral("TAB: 2 of 2"));
    EXPECT_NE(Find<QLineEdit>("txtTAB").text(), QStringLiteral("first"));

    tabs.setSliderDown(true);
    tabs.setSliderPosition(1);
    EXPECT_EQ(Find<QLabel>("lblHelp").text(), QStringLiteral("TAB: 1 of 2"));
    EXPECT_EQ(form.Controls().hscTAB.Value(), 2);
    tabs.setSliderDown(false);
    EXPECT_EQ(form.Controls().hscTAB.Value(), 1);
    EXPECT_EQ(Find<QLineEdit>("txtTAB").text().trimmed(), QStringLiteral("first"));
}

TEST_F(TabViewTest, KeysOnTheClickedLinesSelectAndEditTheDigitsStayTheFretboardsAndCtrlZUndoes) {
    form.Board().Press(1, 3, 1);
    QTest::mouseClick(lines, Qt::LeftButton, Qt::NoModifier, ColumnPixel(3));
    ASSERT_TRUE(lines->hasFocus());
    QTest::keyClick(lines, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(lines, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(form.Columns().CursorColumn(), 3);
    EXPECT_EQ(form.Columns().SelectionLength(), 2);
    QTest::keyClick(lines, Qt::Key_2);
    EXPECT_EQ(form.Board().Marks().At(1, 3).finger, "2");

    // The selected columns stand on a light background between the cursor lines.
    const QImage image = lines->grab().toImage();
    const auto backgroundAt = [&](int column) {
        const double ratio = image.devicePixelRatio();
        return image.pixelColor(static_cast<int>((origin + (column + 1.5) * charWidth) * ratio),
                                static_cast<int>((lines->LineRect(1).top() + 1) * ratio));
    };
    const QColor selected = backgroundAt(4);
    EXPECT_GT(selected.blue(), selected.red());
    EXPECT_GT(selected.lightness(), 180);
    EXPECT_EQ(backgroundAt(6), lines->palette().base().color());

    QAction& undo = Find<QAction>("mnuEditUndo");
    EXPECT_FALSE(undo.isEnabled());
    QTest::keyClick(lines, Qt::Key_Delete);
    EXPECT_EQ(form.Columns().LastColumn(), 75);
    EXPECT_TRUE(undo.isEnabled());
    QTest::keyClick(lines, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.Columns().LastColumn(), 77);
    EXPECT_EQ(form.Columns().SelectionLength(), 2);
    EXPECT_FALSE(undo.isEnabled());
    EXPECT_TRUE(Find<QAction>("mnuEditRedo").isEnabled());
}

}  // namespace
}  // namespace fretlux
