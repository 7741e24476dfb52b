// SPDX-License-Identifier: MIT
// Start-up, the wiring of the controls to their handlers, and the playback settings bars.
#include "app/fretlux_form.h"

#include "document/file_names.h"

namespace fretlux {

namespace {

constexpr int kNormalDpi = 96;
constexpr int kStartChannel = 0;

}  // namespace

FretluxForm::FretluxForm(Host& host) : midi(host.MidiOut(), tuning, board_.Turned()), host_(host) {
    hscTAB.onChange = [this] { ShowChosenTab(); };
    txtTAB.onChange = [this] { LabelEdited(); };
    hscTempo.onChange = [this] { ApplyTempo(); };
    hscVolume.onChange = [this] { ApplyVolume(); };
    HScrollPatch.onChange = [this] { ApplyPatch(); };
}

bool FretluxForm::StartUp() {
    if (host_.AnotherCopyRunning()) {
        host_.ShowMessage({"Fretlux is already running"});
        host_.EndProgram();
        return false;
    }
    keyPreview = true;
    charWidth = host_.LogicalDpiY() == kNormalDpi ? 105 : 96;
    tabFilesDirectory_ = host_.EnterTabFilesDirectory();
    host_.MidiOut().Open();
    patchList = PatchList::Read(host_.ProgramDirectory() + kPathSeparator + kPatchListFileName);
    LoadMidiSettings();
    midiSettings->HScrollMIDIChannel.SetValue(kStartChannel);
    HScrollPatch.SetValue(kStartSettings.patch);
    hscVolume.SetValue(kStartSettings.volume);
    caption = BaseTitle();
    hscTempo.SetValue(kStartSettings.tempo);
    return true;
}

void FretluxForm::ApplyVolume() {
    midi.ApplyVolume(hscVolume.Value());
    lblVolume.caption = WithLeadingBlank(hscVolume.Value());
}

void FretluxForm::ApplyPatch() {
    midi.ApplyPatch(HScrollPatch.Value());
    ShowPatchName();
}

void FretluxForm::ShowPatchName() {
    lblPatch.caption = patchList.PatchName(midi.CurrentPatch());
    lblPatchNum.caption = std::to_string(midi.CurrentPatch());
}

void FretluxForm::ToggleSound() { midi.soundOn = !midi.soundOn; }

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
    HScrollPatch.SetValue(settings.patch);
    hscVolume.SetValue(settings.volume);
}

void FretluxForm::ShowMidiSettingsWindow() {
    if (!midiSettings) LoadMidiSettings();
    midiSettings->outputStatus = host_.MidiOut().Status();
    host_.ShowMidiSettings(*midiSettings);
    midiSettings.reset();
}

}  // namespace fretlux
