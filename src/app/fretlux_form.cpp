// SPDX-License-Identifier: MIT
// Start-up, the wiring of the controls to their handlers, and the playback settings bars.
#include "app/fretlux_form.h"

#include "document/file_names.h"

namespace fretlux {

namespace {

constexpr int kNormalDpi = 96;
constexpr int kStartChannel = 0;

}  // namespace

FretluxForm::FretluxForm(Host& host)
    : midi(host.MidiOut(), tuning, board_.Turned()),
      host_(host),
      player_(host, document, controls_, columns_, board_, midi, [this] { ShowCurrentTab(); }) {
    controls_.hscTAB.onChange = [this] { ShowChosenTab(); };
    controls_.txtTAB.onChange = [this] { LabelEdited(); };
    controls_.hscTempo.onChange = [this] { player_.ApplyTempo(); };
    controls_.hscVolume.onChange = [this] { ApplyVolume(); };
    controls_.HScrollPatch.onChange = [this] { ApplyPatch(); };
}

bool FretluxForm::StartUp() {
    if (host_.AnotherCopyRunning()) {
        host_.ShowMessage({"Fretlux is already running"});
        host_.EndProgram();
        return false;
    }
    controls_.keyPreview = true;
    columns_.SetCharWidth(host_.LogicalDpiY() == kNormalDpi ? 105 : 96);
    tabFilesDirectory_ = host_.EnterTabFilesDirectory();
    host_.MidiOut().Open();
    patchList = PatchList::Read(host_.ProgramDirectory() + kPathSeparator + kPatchListFileName);
    LoadMidiSettings();
    midiSettings->HScrollMIDIChannel.SetValue(kStartChannel);
    controls_.HScrollPatch.SetValue(kStartSettings.patch);
    controls_.hscVolume.SetValue(kStartSettings.volume);
    controls_.caption = BaseTitle();
    controls_.hscTempo.SetValue(kStartSettings.tempo);
    return true;
}

void FretluxForm::ApplyVolume() {
    midi.ApplyVolume(controls_.hscVolume.Value());
    controls_.lblVolume.caption = WithLeadingBlank(controls_.hscVolume.Value());
}

void FretluxForm::ApplyPatch() {
    midi.ApplyPatch(controls_.HScrollPatch.Value());
    ShowPatchName();
}

void FretluxForm::ShowPatchName() {
    controls_.lblPatch.caption = patchList.PatchName(midi.CurrentPatch());
    controls_.lblPatchNum.caption = std::to_string(midi.CurrentPatch());
}

void FretluxForm::ToggleSound() { midi.soundOn = !midi.soundOn; }

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
        case Command::FindChord:
            return FindChord();
        case Command::ToggleSound:
            return ToggleSound();
        case Command::ShowMidiSettings:
            return ShowMidiSettingsWindow();
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

// The settings window exists from start-up on, hidden, until the user closes it; opened again
// it comes up anew.
void FretluxForm::LoadMidiSettings() {
    midiSettings.emplace();
    midiSettings->HScrollMIDIChannel.onChange = [this] { ApplyMidiChannel(); };
}

void FretluxForm::ApplyMidiChannel() {
    const int channel = midiSettings->HScrollMIDIChannel.Value();
    const ChannelSettings settings = midi.SelectChannel(channel);
    midiSettings->lblMIDICh.caption = WithLeadingBlank(channel + 1);
    controls_.HScrollPatch.SetValue(settings.patch);
    controls_.hscVolume.SetValue(settings.volume);
}

void FretluxForm::ShowMidiSettingsWindow() {
    if (!midiSettings) LoadMidiSettings();
    midiSettings->outputStatus = host_.MidiOut().Status();
    host_.ShowMidiSettings(*midiSettings);
    midiSettings.reset();
}

}  // namespace fretlux
