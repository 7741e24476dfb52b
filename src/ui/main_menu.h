// SPDX-License-Identifier: MIT
#pragma once

#include <QAction>
#include <QMenuBar>

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
    QAction* settingsSound = nullptr;
    QAction* settingsMidi = nullptr;
    QAction* rotateLeftRight = nullptr;
    QAction* rotateUpDown = nullptr;
};

// Fills the menu bar with the whole menu tree. Every entry and sub-menu is named after its
// control (mnuFileNew, mnuPlayStep ...).
MainMenuActions BuildMainMenu(QMenuBar& menuBar);

}  // namespace fretlux
