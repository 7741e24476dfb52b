// SPDX-License-Identifier: MIT
#include "ui/main_menu.h"

#include <QKeySequence>
#include <QMenu>
#include <initializer_list>
#include <string>
#include <utility>

#include "chords/chord_names.h"

namespace fretlux {

namespace {

QMenu* AddMenu(QMenuBar& menuBar, const char* name, const char* caption) {
    QMenu* menu = menuBar.addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu* AddSubMenu(QMenu& parent, const char* name, const char* caption) {
    QMenu* menu = parent.addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* AddEntry(QMenu& menu, const char* name, const char* caption, bool enabled) {
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    return action;
}

void AddSeparator(QMenu& menu, const char* name) {
    menu.addSeparator()->setObjectName(QString::fromLatin1(name));
}

template <size_t N>
void AddMenuArray(QMenu& menu, const char* name, const std::array<const char*, N>& captions,
                  std::array<QAction*, N>& actions) {
    for (size_t index = 0; index < N; ++index) {
        actions[index] = AddEntry(menu, name, captions[index], true);
    }
}

void BuildFileMenu(QMenuBar& menuBar, MainMenuActions& actions) {
    QMenu& file = *AddMenu(menuBar, "mnuFile", "&File");
    actions.fileNew = AddEntry(file, "mnuFileNew", "&New", true);
    actions.fileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    actions.fileOpen = AddEntry(file, "mnuFOpen", "&Open", true);
    actions.fileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    AddSeparator(file, "mnuFileLine1");
    actions.fileSaveTab = AddEntry(file, "mnuFileSTab", "Save as &TAB", true);
    actions.fileSaveTab->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    // Ctrl+S keeps everything: the Fretlux form holds fingers, silent notes and settings.
    actions.fileSaveFretlux = AddEntry(file, "mnuFileSFlx", "&Save as Fretlux", true);
    actions.fileSaveFretlux->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    actions.fileExportMidi = AddEntry(file, "mnuFileExportMidi", "&Export MIDI…", true);
    actions.fileExportWave = AddEntry(file, "mnuFileExportWave", "Export &WAVE…", true);
    actions.fileExportMusicXml = AddEntry(file, "mnuFileExportXml", "Export &MusicXML…", true);
    AddSeparator(file, "mnuFileLine2");
    actions.fileExit = AddEntry(file, "MNUFExit", "E&xit", true);
    actions.fileExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void BuildEditMenu(QMenuBar& menuBar, MainMenuActions& actions) {
    QMenu& edit = *AddMenu(menuBar, "mnuEdit", "&Edit");
    // The desktop's own keys; the label box and the text windows keep theirs while they have the
    // focus. Enabled as the model says.
    actions.editUndo = AddEntry(edit, "mnuEditUndo", "&Undo", false);
    actions.editUndo->setShortcuts(QKeySequence::Undo);
    actions.editRedo = AddEntry(edit, "mnuEditRedo", "&Redo", false);
    actions.editRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    AddSeparator(edit, "mnuEditLine0");
    actions.editCut = AddEntry(edit, "mnuEditCut", "Cu&t", true);
    actions.editCopy = AddEntry(edit, "mnuEditCopy", "&Copy", true);
    actions.editPaste = AddEntry(edit, "mnuEditPaste", "&Paste", true);
    actions.editPasteFretboard = AddEntry(edit, "mnuEditPasteFret", "Paste &Fretboard", true);
    actions.editClearFretboard = AddEntry(edit, "mnuEditClearFB", "C&lear Fretboard", true);
    actions.editPasteBar = AddEntry(edit, "mnuEditPasteBar", "Paste TAB &Bar", true);
    actions.editTextToTab = AddEntry(edit, "mnuTXT2TAB", "Te&xt to TAB", true);
    AddSeparator(edit, "mnuEditLine1");
    actions.editInsertTab = AddEntry(edit, "mnuEditInsTab", "&Insert TAB", true);
    actions.editDeleteTab = AddEntry(edit, "mnuEditDelTab", "&Delete TAB", true);
    AddSeparator(edit, "mnuEditLine2");
    actions.editTabText = AddEntry(edit, "mnuEditText", "&View/Edit TAB Text", true);
    actions.editExternalEditor = AddEntry(edit, "mnuEditExEdit", "External Text Editor", true);
}

void BuildPlayMenu(QMenuBar& menuBar, MainMenuActions& actions) {
    QMenu& play = *AddMenu(menuBar, "mnuPlay", "&Play");
    actions.playStart = AddEntry(play, "mnuPlayStart", "&Start", true);
    QMenu& step = *AddSubMenu(play, "mnuPlayStep", "St&ep");
    actions.playStepForward = AddEntry(step, "mnuPlayStepForward", "&Forward", true);
    actions.playStepBack = AddEntry(step, "mnuPlayStepBack", "&Back", true);
    actions.playStop = AddEntry(play, "mnuPlayStop", "S&top", true);
    actions.playFretboard = AddEntry(play, "mnuPlayFret", "&FretBoard", true);
    AddSeparator(play, "mnuPlayLine1");
    actions.playNext = AddEntry(play, "mnuPlayNext", "&Next", true);
    actions.playPrevious = AddEntry(play, "mnuPlayPrevious", "&Previous", true);
    AddSeparator(play, "mnuPlayLine2");
    QMenu& speed = *AddSubMenu(play, "mnuPlaySpeed", "Spee&d");
    AddMenuArray<3>(speed, "mnuPlaySpeedPreset", {"&50 %", "&75 %", "&100 %"},
                    actions.playSpeedPresets);
    actions.playSpeedOther = AddEntry(speed, "mnuPlaySpeedOther", "&Other…", true);
    actions.playMetronome = AddEntry(play, "mnuPlayMetronome", "&Metronome", true);
    actions.playTrainer = AddEntry(play, "mnuPlayTrainer", "Speed Tr&ainer…", true);
    // The checks follow the model; the window sets them after every command.
    for (QAction* entry :
         {actions.playSpeedPresets[0], actions.playSpeedPresets[1], actions.playSpeedPresets[2],
          actions.playSpeedOther, actions.playMetronome, actions.playTrainer}) {
        entry->setCheckable(true);
    }
    AddSeparator(play, "mnuPlayLine3");
    actions.playTune = AddEntry(play, "mnuPlayTune", "Tune &Guitar", true);
    AddEntry(play, "mnuPlayTuner", "T&uner", true);
    QMenu& playAlong = *AddSubMenu(play, "mnuPlayAlong", "Play A&long");
    AddEntry(playAlong, "mnuPlayAlongWait", "&Wait", true);
    AddEntry(playAlong, "mnuPlayAlongScore", "&Score", true);
}

void BuildChordsMenu(QMenuBar& menuBar, MainMenuActions& actions) {
    QMenu& chords = *AddMenu(menuBar, "mnuChords", "&Chords");
    actions.chordFastFind = AddEntry(chords, "mnuChordFastFInd", "&Fast Finder", true);
    AddSeparator(chords, "mnuChordLine");
    for (std::size_t index = 0; index < kRootCaptions.size(); ++index) {
        const std::string caption(kRootCaptions[index]);
        actions.chordRoots[index] = AddEntry(chords, "mnuChord", caption.c_str(), true);
    }
}

void BuildScalesMenu(QMenuBar& menuBar, MainMenuActions& actions) {
    QMenu& scales = *AddMenu(menuBar, "mnuScalesList", "&Scales");
    AddMenuArray<8>(scales, "mnuScales",
                    {"A &Blues", "A &Diminished", "A &Hexatonic", "A &Major", "A M&inor",
                     "A &Pentatonic", "&E Blues", "&F Modes"},
                    actions.scales);
}

void BuildLessonsMenu(QMenuBar& menuBar, MainMenuActions& actions) {
    QMenu& lessons = *AddMenu(menuBar, "mnuLessonmain", "&Lessons");
    AddMenuArray<7>(*AddSubMenu(lessons, "mnuBegin", "&Beginner"), "mnuLesson",
                    {"&Introduction", "&Tuning", "T&ABluature", "The &Fretboard", "&Strumming",
                     "&Changing chords", "&Playing a song"},
                    actions.lessonsBeginner);
    AddMenuArray<5>(
        *AddSubMenu(lessons, "mnuInter", "&Intermediate"), "mnuLessonI",
        {"&Flat picking", "&Chord Triads", "&Intervals", "&Harmonic Minor", "&12 Bar Blues"},
        actions.lessonsIntermediate);
    // Each Stars entry bears the name of the guitarist whose music its lesson plays.
    AddMenuArray<3>(*AddSubMenu(lessons, "mnuStars", "&Stars"), "mnuLessonS",
                    {"Fernando &Sor", "Mauro &Giuliani", "Francisco &Tárrega"},
                    actions.lessonsStars);
    actions.lessonMore = AddEntry(lessons, "mnuLessonMore", "&Load Lessons", true);
}

void BuildSettingsMenu(QMenuBar& menuBar, MainMenuActions& actions) {
    QMenu& settings = *AddMenu(menuBar, "mnuSettings", "Se&ttings");
    actions.settingsSound = AddEntry(settings, "mnuSetSound", "&Sound", true);
    // The check follows the model; the window sets it after every command.
    actions.settingsSound->setCheckable(true);
    actions.settingsSound->setChecked(true);
    actions.settingsMidi = AddEntry(settings, "mnuSetMidi", "&Midi", true);
    AddEntry(settings, "mnuSetInput", "&Input", true);
    actions.settingsBeats = AddEntry(settings, "mnuSetBeats", "&Beats…", true);
    AddMenuArray<3>(*AddSubMenu(settings, "mnuSetCountIn", "&Count-in"), "mnuSetCountInBars",
                    {"&None", "&One Bar", "&Two Bars"}, actions.settingsCountIn);
    for (QAction* entry : actions.settingsCountIn) entry->setCheckable(true);
    actions.settingsMetronomeVolume =
        AddEntry(settings, "mnuSetClickVolume", "Metronome &Volume…", true);
    QMenu& rotate = *AddSubMenu(settings, "mnuSetRotate", "&Rotate Fretboard");
    actions.rotateLeftRight = AddEntry(rotate, "mnuSetLefRig", "&Left Right", true);
    actions.rotateUpDown = AddEntry(rotate, "mnuSetUpDown", "&Up Down", true);
}

void BuildHelpMenu(QMenuBar& menuBar, MainMenuActions& actions) {
    QMenu& help = *AddMenu(menuBar, "mnuHelp", "&Help");
    actions.helpFretlux = AddEntry(help, "mnuHelpFretlux", "&Fretlux", true);
    actions.helpFretlux->setShortcut(QKeySequence(Qt::Key_F1));
    actions.helpTab = AddEntry(help, "mnuHelpTab", "&TAB Files", true);
    AddSeparator(help, "mneHelpLine");
    actions.helpAbout = AddEntry(help, "mnuHelpAbout", "&About Fretlux", true);
}

}  // namespace

MainMenuActions BuildMainMenu(QMenuBar& menuBar) {
    MainMenuActions actions;
    BuildFileMenu(menuBar, actions);
    BuildEditMenu(menuBar, actions);
    BuildPlayMenu(menuBar, actions);
    BuildChordsMenu(menuBar, actions);
    BuildScalesMenu(menuBar, actions);
    BuildLessonsMenu(menuBar, actions);
    BuildSettingsMenu(menuBar, actions);
    BuildHelpMenu(menuBar, actions);
    return actions;
}

}  // namespace fretlux
