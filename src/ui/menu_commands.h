// SPDX-License-Identifier: MIT
// The menu entries by their control names (the Qt object names the menus give them), each with
// the command of the window's model that it runs.
#pragma once

#include <optional>
#include <string_view>

#include "app/fretlux_form.h"

namespace fretlux {

struct MenuCommand {
    const char* control;
    Command run;
};

// A menu array: entry i runs its list's entry i.
struct MenuArrayCommand {
    const char* control;
    MenuList run;
};

inline constexpr MenuCommand kMenuCommands[] = {
    {"mnuFileNew", Command::NewDocument},
    {"mnuFOpen", Command::OpenFile},
    {"mnuFileSTab", Command::SaveAsTab},
    {"mnuFileSFlx", Command::SaveAsFretlux},
    {"mnuFileExportMidi", Command::ExportMidi},
    {"mnuFileExportWave", Command::ExportWave},
    {"mnuFileExportXml", Command::ExportMusicXml},
    {"mnuEditUndo", Command::Undo},
    {"mnuEditRedo", Command::Redo},
    {"mnuEditCut", Command::CutColumns},
    {"mnuEditCopy", Command::CopyColumns},
    {"mnuEditPaste", Command::PasteColumns},
    {"mnuEditPasteBar", Command::PasteBarLine},
    {"mnuEditInsTab", Command::InsertTab},
    {"mnuEditDelTab", Command::DeleteTab},
    {"mnuEditPasteFret", Command::PasteFretboard},
    {"mnuEditClearFB", Command::ClearFretboard},
    {"mnuTXT2TAB", Command::OpenTextToTab},
    {"mnuEditText", Command::EditTabText},
    {"mnuEditExEdit", Command::EditInOutsideEditor},
    {"mnuPlayStart", Command::StartPlayback},
    {"mnuPlayStepForward", Command::StepForward},
    {"mnuPlayStepBack", Command::StepBack},
    {"mnuPlayStop", Command::StopPlayback},
    {"mnuPlayFret", Command::PlayFretboard},
    {"mnuPlayNext", Command::NextTab},
    {"mnuPlayPrevious", Command::PreviousTab},
    {"mnuPlayTune", Command::TuneGuitar},
    {"mnuPlayTuner", Command::ShowTuner},
    {"mnuPlayAlongWait", Command::PlayAlongWait},
    {"mnuPlayAlongScore", Command::PlayAlongScore},
    {"mnuPlaySpeedOther", Command::AskSpeed},
    {"mnuPlayMetronome", Command::ToggleMetronome},
    {"mnuPlayTrainer", Command::OpenSpeedTrainer},
    {"mnuChordFastFInd", Command::FindChord},
    {"mnuSetSound", Command::ToggleSound},
    {"mnuSetMidi", Command::ShowMidiSettings},
    {"mnuSetInput", Command::ShowInputSettings},
    {"mnuSetBeats", Command::OpenBeats},
    {"mnuSetClickVolume", Command::AskMetronomeVolume},
    {"mnuSetLefRig", Command::RotateLeftRight},
    {"mnuSetUpDown", Command::RotateUpDown},
    {"mnuLessonMore", Command::OpenOtherLesson},
    {"mnuHelpFretlux", Command::ShowHelp},
    {"mnuHelpTab", Command::ShowTabHelp},
    {"mnuHelpAbout", Command::ShowAbout},
};

inline constexpr MenuArrayCommand kMenuArrayCommands[] = {
    {"mnuChord", MenuList::Chords},
    {"mnuScales", MenuList::Scales},
    {"mnuLesson", MenuList::BasicLessons},
    {"mnuLessonI", MenuList::IntermediateLessons},
    {"mnuLessonS", MenuList::SongLessons},
    {"mnuPlaySpeedPreset", MenuList::Speeds},
    {"mnuSetCountInBars", MenuList::CountIns},
};

// The list of the menu array with the given control name, or nothing when the table has none.
inline std::optional<MenuList> ArrayCommandOf(std::string_view control) {
    for (const MenuArrayCommand& entry : kMenuArrayCommands) {
        if (control == entry.control) return entry.run;
    }
    return std::nullopt;
}

}  // namespace fretlux
