// SPDX-License-Identifier: MIT
// Start-up, the wiring of the controls to their handlers, and the playback settings bars.
#include "app/fretlux_form.h"

#include "document/file_names.h"

namespace fretlux {

namespace {

constexpr int kNormalDpi = 96;
constexpr int kStartChannel = 0;

}  // namespace

FretluxForm::FretluxForm(Host& host) : midi(host.MidiOut(), tuning, orientation), host_(host) {
    hscTAB.onChange = [this] { hscTAB_Change(); };
    txtTAB.onChange = [this] { txtTAB_Change(); };
    hscTempo.onChange = [this] { hscTempo_Change(); };
    hscVolume.onChange = [this] { hscVolume_Change(); };
    HScrollPatch.onChange = [this] { HScrollPatch_Change(); };
}

bool FretluxForm::Form_Load() {
    if (host_.AnotherCopyRunning()) {
        host_.ShowMessage({"Fretlux is already running"});
        host_.EndProgram();
        return false;
    }
    keyPreview = true;
    gCharWidth = host_.LogicalDpiY() == kNormalDpi ? 105 : 96;
    tabFilesDirectory_ = host_.EnterTabFilesDirectory();
    host_.MidiOut().Open();
    patchList = PatchList::Read(host_.ProgramDirectory() + kPathSeparator + kPatchListFileName);
    LoadMidiSettings();
    frmMIDI->HScrollMIDIChannel.SetValue(kStartChannel);
    HScrollPatch.SetValue(kStartSettings.patch);
    hscVolume.SetValue(kStartSettings.volume);
    caption = BaseTitle();
    hscTempo.SetValue(kStartSettings.tempo);
    return true;
}

void FretluxForm::hscVolume_Change() {
    midi.ApplyVolume(hscVolume.Value());
    lblVolume.caption = WithLeadingBlank(hscVolume.Value());
}

void FretluxForm::HScrollPatch_Change() {
    midi.ApplyPatch(HScrollPatch.Value());
    ShowPatchName();
}

void FretluxForm::ShowPatchName() {
    lblPatch.caption = patchList.PatchName(midi.CurrentPatch());
    lblPatchNum.caption = std::to_string(midi.CurrentPatch());
}

void FretluxForm::mnuSetSound_Click() { midi.soundOn = !midi.soundOn; }

// The settings window exists from start-up on, hidden, until the user closes it; opened again
// it comes up anew.
void FretluxForm::LoadMidiSettings() {
    frmMIDI.emplace();
    frmMIDI->HScrollMIDIChannel.onChange = [this] { HScrollMIDIChannel_Change(); };
}

void FretluxForm::HScrollMIDIChannel_Change() {
    const int channel = frmMIDI->HScrollMIDIChannel.Value();
    const ChannelSettings settings = midi.SelectChannel(channel);
    frmMIDI->lblMIDICh.caption = WithLeadingBlank(channel + 1);
    HScrollPatch.SetValue(settings.patch);
    hscVolume.SetValue(settings.volume);
}

void FretluxForm::mnuSetMidi_Click() {
    if (!frmMIDI) LoadMidiSettings();
    frmMIDI->outputStatus = host_.MidiOut().Status();
    host_.ShowMidiSettings(*frmMIDI);
    frmMIDI.reset();
}


}  // namespace fretlux
