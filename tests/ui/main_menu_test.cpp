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
        "&File[&New|&Open|-|Save as &TAB|&Save as Fretlux|&Export MIDI…|Export &WAVE…|-|"
        "E&xit]",
        "&Edit[&Undo off key|&Redo off key|-|Cu&t|&Copy|&Paste|Paste &Fretboard|Clea&r Fretboard|Paste TAB &Bar|Te&xt to TAB|-|"
        "&Insert TAB|&Delete TAB|-|&View/Edit TAB Text|External Text Editor]",
        "&Play[&Start|Ste&p[&Forward|&Back]|S&top|&FretBoard|-|&Next|&Previous|-|&Tune Guitar]",
        "&Chords[&Fast FInder off|-|A off|A#/Bb off|B off|C off|C#/Db off|D off|D#/Eb off|E off|"
        "F off|F#/Gb off|G off|G#/Ab off]",
        "&Scales[A &Blues off|A &Diminished off|A &Hexatonic off|A &Major off|A M&inor off|"
        "A &Pentatonic off|&E Blues off|&F Modes off]",
        "&Lessons[&Beginner off[&Introduction off|&Tuning off|T&ABluature off|The &Fretboard off|"
        "&Strumming off|&Changing chords off|&Playing a song off]|&Intermediate off[&Flat picking "
        "off|&Chord Triads off|&Intervals off|&Harmonic Minor off|&12 Bar Blues off]|&Stars off[]|"
        "&Load Lessons off]",
        "&Settings[&Sound on|&Midi|&Rotate Fretboard[&Left Right|&Up Down]]",
        "&Help[&Fretlux off|&TAB Files off|-|&About Fretlux off]",
    };
    EXPECT_EQ(menus, expected);
}

}  // namespace
}  // namespace fretlux
