// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <string>
#include <vector>

#include "window_fixture.h"

namespace fretlux {
namespace {

// The entries in order, separated by "|": caption, "-" for a separator, " off" when disabled,
// " on" when checked, " key" with a shortcut, and a submenu's entries in brackets.
std::string Describe(const QList<QAction*>& actions) {
    QStringList entries;
    for (const QAction* action : actions) {
        QString entry = action->isSeparator() ? QStringLiteral("-") : action->text();
        if (!action->isSeparator() && !action->isEnabled()) entry += QStringLiteral(" off");
        if (action->isChecked()) entry += QStringLiteral(" on");
        if (!action->shortcut().isEmpty()) entry += QStringLiteral(" key");
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
        "&File[&New|&Open|-|Save as &TAB|&Save as Fretlux|&Export MIDI…|Export &WAVE…|"
        "Export &MusicXML…|-|E&xit]",
        "&Edit[&Undo off key|&Redo off key|-|Cu&t|&Copy|&Paste|Paste &Fretboard|Clea&r Fretboard|"
        "Paste TAB &Bar|Te&xt to TAB|-|"
        "&Insert TAB|&Delete TAB|-|&View/Edit TAB Text|External Text Editor]",
        "&Play[&Start|Ste&p[&Forward|&Back]|S&top|&FretBoard|-|&Next|&Previous|-|&Tune Guitar]",
        "&Chords[&Fast FInder|-|A|A#/Bb|B|C|C#/Db|D|D#/Eb|E|F|F#/Gb|G|G#/Ab]",
        "&Scales[A &Blues|A &Diminished|A &Hexatonic|A &Major|A M&inor|A &Pentatonic|&E Blues|"
        "&F Modes]",
        "&Lessons[&Beginner[&Introduction|&Tuning|T&ABluature|The &Fretboard|&Strumming|"
        "&Changing chords|&Playing a song]|&Intermediate[&Flat picking|&Chord Triads|&Intervals|"
        "&Harmonic Minor|&12 Bar Blues]|&Stars[Fernando &Sor|Mauro &Giuliani|"
        "Francisco &T\u00e1rrega]|&Load Lessons]",
        "&Settings[&Sound on|&Midi|&Rotate Fretboard[&Left Right|&Up Down]]",
        "&Help[&Fretlux|&TAB Files|-|&About Fretlux]",
    };
    EXPECT_EQ(menus, expected);
}

}  // namespace
}  // namespace fretlux
