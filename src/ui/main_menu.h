// SPDX-License-Identifier: MIT
#pragma once

#include <QAction>
#include <QMenuBar>
#include <array>

namespace fretlux {

// The menu entries whose commands the window runs; every other entry is shown disabled until
// its command exists.
struct MainMenuActions {
    QAction* fileNew = nullptr;
    QAction* fileOpen = nullptr;
    QAction* fileSaveTab = nullptr;
    QAction* fileSaveFretlux = nullptr;
    QAction* fileExportMidi = nullptr;
    QAction* fileExportWave = nullptr;
    QAction* fileExportMusicXml = nullptr;
    QAction* fileExit = nullptr;
    QAction* editUndo = nullptr;
    QAction* editRedo = nullptr;
    QAction* editCut = nullptr;
    QAction* editCopy = nullptr;
    QAction* editPaste = nullptr;
    QAction* editPasteFretboard = nullptr;
    QAction* editClearFretboard = nullptr;
    QAction* editPasteBar = nullptr;
    QAction* editInsertTab = nullptr;
    QAction* editDeleteTab = nullptr;
    QAction* editTextToTab = nullptr;
    QAction* editTabText = nullptr;
    QAction* editExternalEditor = nullptr;
    QAction* playStart = nullptr;
    QAction* playStepForward = nullptr;
    QAction* playStepBack = nullptr;
    QAction* playStop = nullptr;
    QAction* playFretboard = nullptr;
    QAction* playNext = nullptr;
    QAction* playPrevious = nullptr;
    QAction* playTune = nullptr;
    // mnuPlaySpeedPreset: the entry of kSpeedMenuPercents[i]; checked as the model says.
    std::array<QAction*, 3> playSpeedPresets{};
    QAction* playSpeedOther = nullptr;
    QAction* playMetronome = nullptr;
    QAction* playTrainer = nullptr;
    QAction* chordFastFind = nullptr;
    // mnuChord: the entry of root index i.
    std::array<QAction*, 12> chordRoots{};
    QAction* settingsSound = nullptr;
    QAction* settingsMidi = nullptr;
    QAction* settingsBeats = nullptr;
    // mnuSetCountInBars: the entry of i bars.
    std::array<QAction*, 3> settingsCountIn{};
    QAction* settingsMetronomeVolume = nullptr;
    QAction* rotateLeftRight = nullptr;
    QAction* rotateUpDown = nullptr;
    // Menu arrays, in index order.
    std::array<QAction*, 8> scales{};
    std::array<QAction*, 7> lessonsBeginner{};
    std::array<QAction*, 5> lessonsIntermediate{};
    std::array<QAction*, 3> lessonsStars{};
    QAction* lessonMore = nullptr;
    QAction* helpFretlux = nullptr;
    QAction* helpTab = nullptr;
    QAction* helpAbout = nullptr;
};

// Fills the menu bar with the whole menu tree. Every entry and sub-menu is named after its
// control (mnuFileNew, mnuPlayStep ...).
MainMenuActions BuildMainMenu(QMenuBar& menuBar);

}  // namespace fretlux
