// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>

#include "window_fixture.h"

namespace fretlux {
namespace {

// One line per entry, indented by depth: caption, "off" when disabled, "checked" when checked,
// "-" for separators.
void Describe(const QList<QAction*>& actions, int depth, QString& out) {
    for (const QAction* action : actions) {
        out += QString(depth * 2, ' ');
        out += action->isSeparator() ? QStringLiteral("-") : action->text();
        if (!action->isSeparator() && !action->isEnabled()) out += QStringLiteral(" [off]");
        if (action->isChecked()) out += QStringLiteral(" [checked]");
        if (!action->shortcut().isEmpty()) out += QStringLiteral(" [shortcut]");
        out += '\n';
        if (action->menu() != nullptr) Describe(action->menu()->actions(), depth + 1, out);
    }
}

constexpr const char* kExpectedMenuTree = R"(&File
  &New
  &Open
  -
  Save as &TAB
  &Save as Fretlux
  -
  E&xit
&Edit
  Cu&t
  &Copy
  &Paste
  Paste &Fretboard
  Clea&r Fretboard
  Paste TAB &Bar
  Te&xt to TAB
  -
  &Insert TAB
  &Delete TAB
  -
  &View/Edit TAB Text
  External Text Editor
&Play
  &Start
  Ste&p
    &Forward
    &Back
  S&top
  &FretBoard
  -
  &Next
  &Previous
  -
  &Tune Guitar
&Chords
  &Fast FInder [off]
  -
  A [off]
  A#/Bb [off]
  B [off]
  C [off]
  C#/Db [off]
  D [off]
  D#/Eb [off]
  E [off]
  F [off]
  F#/Gb [off]
  G [off]
  G#/Ab [off]
&Scales
  A &Blues [off]
  A &Diminished [off]
  A &Hexatonic [off]
  A &Major [off]
  A M&inor [off]
  A &Pentatonic [off]
  &E Blues [off]
  &F Modes [off]
&Lessons
  &Beginner [off]
    &Introduction [off]
    &Tuning [off]
    T&ABluature [off]
    The &Fretboard [off]
    &Strumming [off]
    &Changing chords [off]
    &Playing a song [off]
  &Intermediate [off]
    &Flat picking [off]
    &Chord Triads [off]
    &Intervals [off]
    &Harmonic Minor [off]
    &12 Bar Blues [off]
  &Stars [off]
  &Load Lessons [off]
&Settings
  &Sound [checked]
  &Midi
  &Rotate Fretboard
    &Left Right
    &Up Down
&Help
  &Fretlux [off]
  &TAB Files [off]
  -
  &About Fretlux [off]
)";

TEST_F(WindowTest, MenuTreeHasEveryCaptionInOrderAndOnlyExistingCommandsEnabled) {
    QString tree;
    Describe(window.menuBar()->actions(), 0, tree);
    EXPECT_EQ(tree.toStdString(), kExpectedMenuTree);
}

TEST_F(WindowTest, SoundEntryIsCheckable) {
    EXPECT_TRUE(Find<QAction>("mnuSetSound").isCheckable());
}

}  // namespace
}  // namespace fretlux
