// SPDX-License-Identifier: MIT
// The menu entries by their control names (the Qt object names the menus give them), each with
// the command of the window's model that it runs.
#pragma once

#include <string_view>

#include "app/fretlux_form.h"

namespace fretlux {

struct MenuCommand {
    const char* control;
    void (FretluxForm::*run)();
};

// A menu array: entry i runs the command with index i.
struct MenuArrayCommand {
    const char* control;
    void (FretluxForm::*run)(int);
};

inline constexpr MenuCommand kMenuCommands[] = {
    {"mnuFileNew", &FretluxForm::NewDocument},
    {"mnuFOpen", &FretluxForm::OpenFile},
    {"mnuFileSTab", &FretluxForm::SaveAsTab},
    {"mnuFileSFlx", &FretluxForm::SaveAsFretlux},
    {"mnuFileExportMidi", &FretluxForm::ExportMidi},
    {"mnuFileExportWave", &FretluxForm::ExportWave},
    {"mnuFileExportXml", &FretluxForm::ExportMusicXml},
    {"mnuEditUndo", &FretluxForm::Undo},
    {"mnuEditRedo", &FretluxForm::Redo},
    {"mnuEditCut", &FretluxForm::CutColumns},
    {"mnuEditCopy", &FretluxForm::CopyColumns},
    {"mnuEditPaste", &FretluxForm::PasteColumns},
    {"mnuEditPasteBar", &FretluxForm::PasteBarLine},
    {"mnuEditInsTab", &FretluxForm::InsertTab},
    {"mnuEditDelTab", &FretluxForm::DeleteTab},
    {"mnuEditPasteFret", &FretluxForm::PasteFretboard},
    {"mnuEditClearFB", &FretluxForm::ClearFretboard},
    {"mnuTXT2TAB", &FretluxForm::OpenTextToTab},
    {"mnuEditText", &FretluxForm::EditTabText},
    {"mnuEditExEdit", &FretluxForm::EditInOutsideEditor},
    {"mnuPlayStart", &FretluxForm::StartPlayback},
    {"mnuPlayStepForward", &FretluxForm::StepForward},
    {"mnuPlayStepBack", &FretluxForm::StepBack},
    {"mnuPlayStop", &FretluxForm::StopPlayback},
    {"mnuPlayFret", &FretluxForm::PlayFretboard},
    {"mnuPlayNext", &FretluxForm::GoToNextTab},
    {"mnuPlayPrevious", &FretluxForm::GoToPreviousTab},
    {"mnuPlayTune", &FretluxForm::TuneGuitar},
    {"mnuChordFastFInd", &FretluxForm::FindChord},
    {"mnuSetSound", &FretluxForm::ToggleSound},
    {"mnuSetMidi", &FretluxForm::ShowMidiSettingsWindow},
    {"mnuSetLefRig", &FretluxForm::RotateLeftRight},
    {"mnuSetUpDown", &FretluxForm::RotateUpDown},
    {"mnuLessonMore", &FretluxForm::OpenOtherLesson},
    {"mnuHelpFretlux", &FretluxForm::ShowHelp},
    {"mnuHelpTab", &FretluxForm::ShowTabHelp},
    {"mnuHelpAbout", &FretluxForm::ShowAboutWindow},
};

inline constexpr MenuArrayCommand kMenuArrayCommands[] = {
    {"mnuChord", &FretluxForm::BrowseChords},
    {"mnuScales", &FretluxForm::OpenScaleChart},
    {"mnuLesson", &FretluxForm::OpenBasicLesson},
    {"mnuLessonI", &FretluxForm::OpenIntermediateLesson},
    {"mnuLessonS", &FretluxForm::OpenSongLesson},
};

// The command of the menu array with the given control name, or nothing when the table has none.
inline void (FretluxForm::*ArrayCommandOf(std::string_view control))(int) {
    for (const MenuArrayCommand& entry : kMenuArrayCommands) {
        if (control == entry.control) return entry.run;
    }
    return nullptr;
}

}  // namespace fretlux
