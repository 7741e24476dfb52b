// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <functional>
#include <string>
#include <vector>

#include "window_fixture.h"

namespace fretlux {
namespace {

// The entries in order, separated by "|": caption, "-" for a separator, " off" when disabled,
// " on" when checked, its keys in brackets, and a submenu's entries in brackets.
std::string Describe(const QList<QAction*>& actions) {
    QStringList entries;
    for (const QAction* action : actions) {
        QString entry = action->isSeparator() ? QStringLiteral("-") : action->text();
        if (!action->isSeparator() && !action->isEnabled()) entry += QStringLiteral(" off");
        if (action->isChecked()) entry += QStringLiteral(" on");
        if (!action->shortcut().isEmpty()) {
            entry += QStringLiteral(" <") + action->shortcut().toString() + QStringLiteral(">");
        }
        if (action->menu() != nullptr) {
            entry += QString::fromStdString("[" + Describe(action->menu()->actions()) + "]");
        }
        entries << entry;
    }
    return entries.join('|').toStdString();
}

TEST_F(WindowTest, MenuTreeHasEveryCaptionInOrderAndOnlyExistingCommandsEnabled) {
    std::vector<std::string> menus;
    for (QAction* menu : window.menuBar()->actions()) menus.push_back(Describe({menu}));
    const std::vector<std::string> expected = {
        "&File[&New <Ctrl+N>|&Open <Ctrl+O>|-|Save as &TAB <Ctrl+Shift+S>|"
        "&Save as Fretlux <Ctrl+S>|&Export MIDI…|Export &WAVE…|Export &MusicXML…|-|"
        "E&xit <Ctrl+Q>]",
        "&Edit[&Undo off <Ctrl+Z>|&Redo off <Ctrl+Shift+Z>|-|Cu&t|&Copy|&Paste|Paste &Fretboard|"
        "Clea&r Fretboard|"
        "Paste TAB &Bar|Te&xt to TAB|-|"
        "&Insert TAB|&Delete TAB|-|&View/Edit TAB Text|External Text Editor]",
        "&Play[&Start|Ste&p[&Forward|&Back]|S&top|&FretBoard|-|&Next|&Previous|-|&Tune Guitar|"
        "T&uner|Play &Along[&Wait|&Score]]",
        "&Chords[&Fast Finder|-|A|A#/Bb|B|C|C#/Db|D|D#/Eb|E|F|F#/Gb|G|G#/Ab]",
        "&Scales[A &Blues|A &Diminished|A &Hexatonic|A &Major|A M&inor|A &Pentatonic|&E Blues|"
        "&F Modes]",
        "&Lessons[&Beginner[&Introduction|&Tuning|T&ABluature|The &Fretboard|&Strumming|"
        "&Changing chords|&Playing a song]|&Intermediate[&Flat picking|&Chord Triads|&Intervals|"
        "&Harmonic Minor|&12 Bar Blues]|&Stars[Fernando &Sor|Mauro &Giuliani|"
        "Francisco &T\u00e1rrega]|&Load Lessons]",
        "&Settings[&Sound on|&Midi|&Input|&Rotate Fretboard[&Left Right|&Up Down]]",
        "&Help[&Fretlux <F1>|&TAB Files|-|&About Fretlux]",
    };
    EXPECT_EQ(menus, expected);
}

// Each key runs its command from wherever the focus is in the window; Space starts and stops
// playback except in a text box, where it types a blank.
TEST_F(WindowTest, EveryKeyReachesItsCommand) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto& tabLines = Find<QWidget>("lblTAB");
    auto& label = Find<QLineEdit>("txtTAB");
    const auto lastDialog = [this] { return host.dialogs.back().filter; };
    const auto playing = [this] {
        return std::string(form.Playback().PlayTimer().Interval() > 0 ? "playing" : "stopped");
    };
    const struct {
        QWidget* focus;
        QKeySequence keys;
        std::function<std::string()> result;
        std::string expected;
    } rows[] = {
        {&tabLines, QKeySequence("Ctrl+N"), [this] { return form.Controls().caption; },
         "Fretlux  (Ver 1.10)  UNTITLED.FLX"},
        {&tabLines, QKeySequence("Ctrl+S"), lastDialog, kFretluxFilesFilter},
        {&label, QKeySequence("Ctrl+Shift+S"), lastDialog, kTabFilesFilter},
        {&tabLines, QKeySequence("Ctrl+O"), lastDialog, kOpenFilter},
        {&tabLines, QKeySequence("F1"), [this] { return host.helpShown.back(); },
         "/opt/fretlux/help/help.htm"},
        {&tabLines, QKeySequence("Space"), playing, "playing"},
        {&tabLines, QKeySequence("Space"), playing, "stopped"},
        {&label, QKeySequence("Space"), playing, "stopped"},
        {&tabLines, QKeySequence("Ctrl+Q"), [this] { return std::to_string(host.endRequests); },
         "1"},
    };
    for (const auto& row : rows) {
        host.chosenPaths = {std::nullopt};
        row.focus->setFocus();
        QTest::keySequence(row.focus, row.keys);
        EXPECT_EQ(row.result(), row.expected) << row.keys.toString().toStdString();
    }
    EXPECT_EQ(label.text(), QStringLiteral(" "));
}

}  // namespace
}  // namespace fretlux
