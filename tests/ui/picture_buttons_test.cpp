// SPDX-License-Identifier: MIT
// The window's picture buttons driven with the mouse as a user would, their pictures, the
// window's smallest size, a dropped file, and the About window.
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "desktop/about_dialog.h"
#include "ui/button_pictures.h"
#include "ui/picture_button.h"
#include "ui/tab_lines_view.h"
#include "window_fixture.h"

namespace fretlux {
namespace {

TEST(ButtonPictures, EveryButtonsPicturesLoadAndItsPressedPictureDiffersFromTheReleasedOne) {
    for (int id = 0; id < kPictureButtonCount; ++id) {
        const auto button = static_cast<HintedButton>(id);
        for (const EditPicture edit : {EditPicture::imgEditUp, EditPicture::imgEdit2Up}) {
            const QString released = ReleasedSymbol(button, edit);
            ASSERT_TRUE(SymbolLoads(released)) << released.toStdString();
            ASSERT_TRUE(SymbolLoads(PressedSymbol(button))) << id;
            EXPECT_NE(ButtonPictureImage(released, false, 64),
                      ButtonPictureImage(PressedSymbol(button), true, 64))
                << released.toStdString();
        }
    }
    // Each symbol is a picture of its own.
    EXPECT_NE(ButtonPictureImage(QStringLiteral("edit"), false, 64),
              ButtonPictureImage(QStringLiteral("edit-empty"), false, 64));
    EXPECT_NE(ButtonPictureImage(QStringLiteral("step"), false, 64),
              ButtonPictureImage(QStringLiteral("back"), false, 64));
}

class PictureButtonWindowTest : public WindowTest {
protected:
    PictureButton& Button(const char* name) { return Find<PictureButton>(name); }
    QString Help() { return Find<QLabel>("lblHelp").text(); }
};

TEST_F(PictureButtonWindowTest, ThePressedPictureFollowsTheMouseAndTheHintShowsInTheHelpLine) {
    ASSERT_EQ(window.findChildren<PictureButton*>().size(), kPictureButtonCount);
    PictureButton& play = Button("imgPlay");
    QTest::mouseMove(&play, QPoint(10, 10));
    EXPECT_EQ(Help(), QStringLiteral("HELP: Begin playing TAB"));
    QTest::mousePress(&play, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(play.ShowsPressed());
    QTest::mouseMove(&play, QPoint(play.width() + 5, 10));
    EXPECT_FALSE(play.ShowsPressed());
    QTest::mouseMove(&play, QPoint(10, 10));
    EXPECT_TRUE(play.ShowsPressed());
    QTest::mouseMove(&play, QPoint(10, -4));
    QTest::mouseRelease(&play, Qt::LeftButton, Qt::NoModifier, QPoint(10, -4));
    EXPECT_FALSE(play.ShowsPressed());
    // Released outside: no click, so nothing played.
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
}

// Tab visits the buttons in reading order; Space and Enter run a button as a click does, and the
// fretboard's keys leave a focused button alone. Each button is named by its hint.
TEST_F(PictureButtonWindowTest, TheKeyboardReachesAndRunsEveryButton) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // The keys start on the TAB lines, where Enter pastes the fretboard.
    EXPECT_EQ(QApplication::focusWidget(), &Find<QWidget>("lblTAB"));
    QList<PictureButton*> buttons = window.findChildren<PictureButton*>();
    const auto place = [&](const PictureButton* button) {
        const QPoint at = button->mapTo(&window, QPoint(0, 0));
        return std::make_pair(at.y(), at.x());
    };
    std::sort(buttons.begin(), buttons.end(),
              [&](const PictureButton* a, const PictureButton* b) { return place(a) < place(b); });
    buttons.front()->setFocus();
    for (PictureButton* button : buttons) {
        EXPECT_EQ(QApplication::focusWidget(), button) << button->objectName().toStdString();
        const QString hint = QString::fromStdString(HintOf(button->Id()));
        EXPECT_EQ(button->toolTip(), hint);
        EXPECT_EQ(button->accessibleName(), hint);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }

    host.chosenPaths = {std::string(FRETLUX_TEST_DATA_DIR) + "/two_tabs.tab"};
    Trigger("mnuFOpen");
    QTest::keyClick(&Button("imgPlay"), Qt::Key_Space);
    EXPECT_GT(form.Playback().PlayTimer().Interval(), 0);
    QTest::keyClick(&Button("imgStop"), Qt::Key_Return);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
    form.Board().Press(3, 4, kLeftButton);
    const int columns = form.Columns().LastColumn();
    PictureButton& finger = Button("imgFNum1");
    finger.setFocus();
    QTest::keyClick(&finger, Qt::Key_3);
    QTest::keyClick(&finger, Qt::Key_Return);
    EXPECT_EQ(form.Board().Marks().At(3, 4).finger, "2")
        << "Enter gave finger 2, the 3 went nowhere";
    EXPECT_EQ(form.Columns().LastColumn(), columns)
        << "Enter on a button does not paste the fretboard";
}

TEST_F(PictureButtonWindowTest, TheSmallestWindowStillShowsTheWholeTabItsScrollBarAndTheHelpLine) {
    Trigger("mnuFileNew");
    EXPECT_GE(window.minimumHeight(), window.minimumSizeHint().height());
    EXPECT_GE(window.minimumWidth(), window.minimumSizeHint().width());
    window.resize(200, 150);
    QTest::qWait(0);
    const QRect inside = window.rect();
    const auto wholeInside = [&](QWidget& widget) {
        const QRect area(widget.mapTo(&window, QPoint(0, 0)), widget.size());
        return widget.isVisible() && inside.contains(area);
    };
    auto& lines = Find<TabLinesView>("lblTAB");
    EXPECT_TRUE(wholeInside(lines));
    EXPECT_GE(lines.height(), lines.sizeHint().height());
    EXPECT_GE(lines.width(), lines.sizeHint().width());
    EXPECT_TRUE(wholeInside(Find<QScrollBar>("hscTAB")));
    EXPECT_TRUE(wholeInside(Find<QLabel>("lblHelp")));
    EXPECT_GE(Find<QLabel>("lblHelp").height(), Find<QLabel>("lblHelp").minimumSizeHint().height());
}

TEST_F(PictureButtonWindowTest, ADroppedTabFileOpensAndOtherDropsAreRefused) {
    const QString path = QString::fromUtf8(FRETLUX_TEST_DATA_DIR) + QStringLiteral("/two_tabs.tab");
    for (const QString& name : {QStringLiteral("/tmp/picture.png"), path}) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(name)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        EXPECT_EQ(enter.isAccepted(), name == path);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
    }
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fretlux  (Ver 1.10)  ") + path);
    EXPECT_EQ(Find<QScrollBar>("hscTAB").maximum(), 2);
}

TEST(AboutWindow, ShowsTheVersionLicenceQtAndSoundAndOkClosesIt) {
    const AboutForm form{"About Fretlux", "Version 1.10", "MIT licence", "Built-in synthesiser"};
    AboutDialog dialog(form, nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Fretlux"));
    const auto text = [&](const char* name) {
        auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
        return label != nullptr ? label->text() : QStringLiteral("missing");
    };
    EXPECT_EQ(text("lblAbout"), QStringLiteral("Version 1.10"));
    EXPECT_EQ(text("lblLicence"), QStringLiteral("MIT licence"));
    EXPECT_EQ(text("lblToolkit"), QStringLiteral("Qt ") + QString::fromLatin1(qVersion()));
    EXPECT_EQ(text("lblSound"), QStringLiteral("Built-in synthesiser"));
    dialog.show();
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace fretlux
