// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMap>
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
        "C&lear Fretboard|"
        "Paste TAB &Bar|Te&xt to TAB|-|"
        "&Insert TAB|&Delete TAB|-|&View/Edit TAB Text|External Text Editor]",
        "&Play[&Start|St&ep[&Forward|&Back]|S&top|&FretBoard|-|&Next|&Previous|-|"
        "Spee&d[&50 %|&75 %|&100 % on|&Other…]|&Metronome|Speed Tr&ainer…|-|Tune &Guitar|"
        "T&uner|Play A&long[&Wait|&Score]]",
        "&Chords[&Fast Finder|-|A|A#/Bb|B|C|C#/Db|D|D#/Eb|E|F|F#/Gb|G|G#/Ab]",
        "&Scales[A &Blues|A &Diminished|A &Hexatonic|A &Major|A M&inor|A &Pentatonic|&E Blues|"
        "&F Modes]",
        "&Lessons[&Beginner[&Introduction|&Tuning|T&ABluature|The &Fretboard|&Strumming|"
        "&Changing chords|&Playing a song]|&Intermediate[&Flat picking|&Chord Triads|&Intervals|"
        "&Harmonic Minor|&12 Bar Blues]|&Stars[Fernando &Sor|Mauro &Giuliani|"
        "Francisco &T\u00e1rrega]|&Load Lessons]",
        "Se&ttings[&Sound on|&Midi|&Input|&Beats…|&Count-in[&None on|&One Bar|&Two Bars]|"
        "Metronome &Volume…|&Rotate Fretboard[&Left Right|&Up Down]]",
        "&Help[&Fretlux <F1>|&TAB Files|-|&About Fretlux]",
    };
    EXPECT_EQ(menus, expected);
}

// The captions in a menu, and in the menus below it, that claim a letter after "&" that an
// earlier caption of the same menu claimed.
void CollectClashes(const QList<QAction*>& actions, QStringList& clashes) {
    QMap<QChar, QString> claimed;
    for (const QAction* action : actions) {
        const QString text = action->text();
        if (const auto at = text.indexOf('&'); at >= 0 && at + 1 < text.size()) {
            const QChar letter = text[at + 1].toLower();
            if (claimed.contains(letter)) clashes << claimed[letter] + " / " + text;
            claimed[letter] = text;
        }
        if (action->menu() != nullptr) CollectClashes(action->menu()->actions(), clashes);
    }
}

// Alt and a letter reaches one entry only where no other entry of its menu claims the letter;
// else Qt merely moves between them.
TEST_F(WindowTest, NoTwoEntriesOfAMenuClaimTheSameLetter) {
    QStringList clashes;
    CollectClashes(window.menuBar()->actions(), clashes);
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join(", ").toStdString();
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

// The practice entries set the player, show their checks, and the tempo beside the Tempo bar
// follows; the beats chosen for a document come back when it is opened again.
TEST_F(WindowTest, PracticeEntriesSetThePlayerAndShowWhatTheyChose) {
    const std::string path = std::string(FRETLUX_TEST_DATA_DIR) + "/two_tabs.tab";
    host.chosenPaths = {path};
    Trigger("mnuFOpen");
    const auto tempo = [this] { return Find<QLabel>("lblBeatsPerMinute").text().toStdString(); };
    // A bar of fifteen columns is four beats of four columns: 123 ms a column is 122 bpm.
    EXPECT_EQ(tempo(), "122 bpm  100 %");
    window.findChildren<QAction*>(QStringLiteral("mnuPlaySpeedPreset"))[0]->trigger();
    EXPECT_EQ(tempo(), "61 bpm  50 %");
    host.numberAnswers = {85};
    Trigger("mnuPlaySpeedOther");
    EXPECT_EQ(form.Playback().Practice().speedPercent, 85);
    host.onSpeedTrainer = [](SpeedTrainerForm& trainer) {
        trainer.settings.startPercent = 70;
        trainer.Accept();
    };
    Trigger("mnuPlayTrainer");
    Trigger("mnuPlayMetronome");
    window.findChildren<QAction*>(QStringLiteral("mnuSetCountInBars"))[2]->trigger();
    host.numberAnswers = {40};
    Trigger("mnuSetClickVolume");
    host.onBeats = [](BeatsForm& beats) {
        beats.SetBeatsPerBar(3);
        beats.SetFixedColumns(true);
        beats.SetColumnsPerBeat(2);
        beats.Accept();
    };
    Trigger("mnuSetBeats");
    // 123 ms at 85 % is 145 ms a column, two columns a beat.
    EXPECT_EQ(tempo(), "207 bpm  85 %");
    std::vector<std::string> menus;
    for (QAction* menu : window.menuBar()->actions()) menus.push_back(Describe({menu}));
    EXPECT_NE(menus[2].find("Spee&d[&50 %|&75 %|&100 %|&Other (85 %)… on]|&Metronome on|"
                            "Speed Tr&ainer… on"),
              std::string::npos)
        << menus[2];
    EXPECT_NE(menus[6].find("&Count-in[&None|&One Bar|&Two Bars on]"), std::string::npos)
        << menus[6];
    // A looped selection plays at the trainer's speeds, and the help line says which.
    form.SelectColumns(1, 4);
    Trigger("mnuPlayStart");
    EXPECT_EQ(Find<QLabel>("lblHelp").text().toStdString(), "Speed Trainer: pass 1 at 70 %");
    Trigger("mnuPlayStop");
    const PracticeSettings& practice = form.Playback().Practice();
    EXPECT_EQ(practice.trainer, (SpeedTrainerSettings{70, 5, 2, 100}));
    EXPECT_EQ(practice.metronomeVolume, 40);
    EXPECT_EQ(practice.countInBars, 2);

    host.chosenPaths = {std::nullopt};
    Trigger("mnuFileNew");
    EXPECT_EQ(form.Playback().Practice().beats, BeatSettings{});
    host.chosenPaths = {path};
    Trigger("mnuFOpen");
    EXPECT_EQ(form.Playback().Practice().beats, (BeatSettings{3, 2}));
}

}  // namespace
}  // namespace fretlux
