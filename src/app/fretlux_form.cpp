// SPDX-License-Identifier: MIT
// Start-up, the wiring of the controls to the parts, and the commands run by value.
#include "app/fretlux_form.h"

namespace fretlux {

namespace {

constexpr int kNormalDpi = 96;

}  // namespace

FretluxForm::FretluxForm(Host& host)
    : host_(host),
      sound_(host, controls_, board_.Turned()),
      player_(host, document, controls_, columns_, board_, sound_.Midi(),
              [this] { ShowCurrentTab(); }) {
    controls_.hscTAB.onChange = [this] { ShowChosenTab(); };
    controls_.txtTAB.onChange = [this] { LabelEdited(); };
    controls_.hscTempo.onChange = [this] { player_.ApplyTempo(); };
    controls_.hscVolume.onChange = [this] { sound_.ApplyVolume(); };
    controls_.HScrollPatch.onChange = [this] { sound_.ApplyPatch(); };
}

bool FretluxForm::StartUp() {
    if (host_.AnotherCopyRunning()) {
        host_.ShowMessage({"Fretlux is already running"});
        host_.EndProgram();
        return false;
    }
    controls_.keyPreview = true;
    columns_.SetCharWidth(host_.LogicalDpiY() == kNormalDpi ? 105 : 96);
    file_.SetTabFilesDirectory(host_.EnterTabFilesDirectory());
    sound_.StartUp();
    controls_.caption = BaseTitle();
    controls_.hscTempo.SetValue(kStartSettings.tempo);
    return true;
}

void FretluxForm::Run(Command command) { Perform(command); }

void FretluxForm::Perform(Command command) {
    switch (command) {
        case Command::NewDocument:
            return NewDocument();
        case Command::OpenFile:
            return OpenFile();
        case Command::SaveAsTab:
            return SaveAsTab();
        case Command::SaveAsFretlux:
            return SaveAsFretlux();
        case Command::ExportMidi:
            return ExportMidi();
        case Command::ExportWave:
            return ExportWave();
        case Command::ExportMusicXml:
            return ExportMusicXml();
        case Command::Undo:
            return Undo();
        case Command::Redo:
            return Redo();
        case Command::CutColumns:
            return CutColumns();
        case Command::CopyColumns:
            return CopyColumns();
        case Command::PasteColumns:
            return PasteColumns();
        case Command::PasteBarLine:
            return PasteBarLine();
        case Command::InsertTab:
            return InsertTab();
        case Command::DeleteTab:
            return DeleteTab();
        case Command::PasteFretboard:
            return PasteFretboard();
        case Command::ClearFretboard:
            return board_.Clear();
        case Command::MarkSounding:
            return board_.MarkSounding();
        case Command::MarkSilent:
            return board_.MarkSilent();
        case Command::OpenTextToTab:
            return OpenTextToTab();
        case Command::EditTabText:
            return EditTabText();
        case Command::EditInOutsideEditor:
            return EditInOutsideEditor();
        case Command::StartPlayback:
            return player_.Start();
        case Command::StepForward:
            return player_.StepForward();
        case Command::StepBack:
            return player_.StepBack();
        case Command::StopPlayback:
            return player_.Stop();
        case Command::PlayFretboard:
            return player_.PlayFretboard();
        case Command::NextTab:
            return player_.NextTab();
        case Command::PreviousTab:
            return player_.PreviousTab();
        case Command::TuneGuitar:
            return player_.TuneGuitar();
        case Command::ShowTuner:
            return host_.Listening().ShowTuner();
        case Command::PlayAlongWait:
            return player_.PlayAlongFromCursor(PlayAlongMode::Wait, DocumentPath());
        case Command::PlayAlongScore:
            return player_.PlayAlongFromCursor(PlayAlongMode::Score, DocumentPath());
        case Command::FindChord:
            return FindChord();
        case Command::ToggleSound:
            return sound_.ToggleSound();
        case Command::ShowMidiSettings:
            return sound_.ShowSettingsWindow();
        case Command::ShowInputSettings:
            return host_.Listening().ShowInputSettings();
        case Command::RotateLeftRight:
            return RotateLeftRight();
        case Command::RotateUpDown:
            return RotateUpDown();
        case Command::OpenOtherLesson:
            return OpenOtherLesson();
        case Command::ShowHelp:
            return ShowHelp();
        case Command::ShowTabHelp:
            return ShowTabHelp();
        case Command::ShowAbout:
            return ShowAboutWindow();
        case Command::ToggleMetronome:
            return ToggleMetronome();
        case Command::AskSpeed:
            return AskSpeed();
        case Command::OpenSpeedTrainer:
            return OpenSpeedTrainer();
        case Command::OpenBeats:
            return OpenBeats();
        case Command::AskMetronomeVolume:
            return AskMetronomeVolume();
    }
}

void FretluxForm::Run(MenuList list, int index) {
    switch (list) {
        case MenuList::Chords:
            return BrowseChords(index);
        case MenuList::Scales:
            return OpenScaleChart(index);
        case MenuList::BasicLessons:
            return OpenBasicLesson(index);
        case MenuList::IntermediateLessons:
            return OpenIntermediateLesson(index);
        case MenuList::SongLessons:
            return OpenSongLesson(index);
        case MenuList::Speeds:
            return ChooseSpeed(kSpeedMenuPercents[index]);
        case MenuList::CountIns:
            return ChooseCountIn(index);
    }
}

}  // namespace fretlux
