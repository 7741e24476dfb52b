// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "window_fixture.h"

namespace fretlux {
namespace {

QColor TextColour(const QLabel& label) { return label.palette().color(QPalette::WindowText); }

TEST_F(WindowTest, StartsWithTheBareTitleAndFileNewShowsUntitledAndTheTabPositionInBlack) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fretlux  (Ver 1.10)"));
    const QLabel& help = Find<QLabel>("lblHelp");
    EXPECT_EQ(help.text(), QString());
    EXPECT_EQ(TextColour(help), QColor(0, 0, 0xC0));
    Trigger("mnuFileNew");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fretlux  (Ver 1.10)  UNTITLED.FLX"));
    EXPECT_EQ(help.text(), QStringLiteral("TAB: 1 of 1"));
    EXPECT_EQ(TextColour(help), QColor(Qt::black));
    const QScrollBar& tabs = Find<QScrollBar>("hscTAB");
    EXPECT_EQ(tabs.minimum(), 1);
    EXPECT_EQ(tabs.maximum(), 1);
    EXPECT_EQ(tabs.value(), 1);
    // The blank label shows without its blanks, so a click in the box lands at its start.
    EXPECT_EQ(Find<QLineEdit>("txtTAB").text(), QString());
}

TEST_F(WindowTest, SettingsBarsShowTheModelsValuesWithTempoReversed) {
    QScrollBar& tempo = Find<QScrollBar>("hscTempo");
    EXPECT_EQ(tempo.minimum(), 1);
    EXPECT_EQ(tempo.maximum(), 200);
    // Tempo 41 stands 41 steps from the right end.
    EXPECT_EQ(tempo.value(), 160);
    EXPECT_EQ(Find<QLabel>("lblTempo").text(), QStringLiteral("160"));
    EXPECT_EQ(Find<QScrollBar>("hscVolume").value(), 100);
    EXPECT_EQ(Find<QLabel>("lblVolume").text(), QStringLiteral(" 100"));
    EXPECT_EQ(Find<QScrollBar>("HScrollPatch").value(), 25);
    EXPECT_EQ(Find<QLabel>("lblPatchNum").text(), QStringLiteral("25"));

    tempo.triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(form.Controls().hscTempo.Value(), 200);
    EXPECT_EQ(Find<QLabel>("lblTempo").text(), QStringLiteral("1"));
    tempo.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(form.Controls().hscTempo.Value(), 199);
    Find<QScrollBar>("hscVolume").triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(form.Controls().hscVolume.Value(), 101);
    EXPECT_EQ(Find<QLabel>("lblVolume").text(), QStringLiteral(" 101"));
}

TEST_F(WindowTest, TypingInTheLabelBoxReplacesTheHeaderInTheEncodingItWasReadIn) {
    Trigger("mnuFileNew");
    QLineEdit& label = Find<QLineEdit>("txtTAB");
    label.setFocus();
    label.selectAll();
    QTest::keyClicks(&label, QStringLiteral("Intro "));
    QTest::sendKeyEvent(QTest::Click, &label, Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
    EXPECT_EQ(form.Controls().txtTAB.Text(), "Intro \xC3\xA9");
    // Stored with the blanks the blank label had: 79 bytes.
    EXPECT_EQ(form.Document().tabLines[0][0], "Intro \xC3\xA9" + std::string(71, ' '));

    form.Controls().txtTAB.SetText("Caf\xE9");
    window.SyncFromModel();
    EXPECT_EQ(label.text(), QStringLiteral("Café"));
    label.end(false);
    QTest::keyClick(&label, Qt::Key_Exclam, Qt::NoModifier);
    EXPECT_EQ(form.Document().tabLines[0][0], "Caf\xE9!" + std::string(74, ' '));
}

TEST_F(WindowTest, ClosingAsksToSaveAChangedDocumentAndCancelKeepsTheWindow) {
    Trigger("mnuFileNew");
    Trigger("mnuEditInsTab");
    host.answers = {MessageAnswer::Cancel, MessageAnswer::No};
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Save changes to 'UNTITLED.FLX' ?");
    EXPECT_EQ(host.endRequests, 0);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(host.endRequests, 1);
}

}  // namespace
}  // namespace fretlux
