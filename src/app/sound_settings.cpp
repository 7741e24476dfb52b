// SPDX-License-Identifier: MIT
#include "app/sound_settings.h"

#include "app/start_settings.h"
#include "document/file_names.h"
#include "document/strings.h"

namespace fretlux {

namespace {

constexpr int kStartChannel = 0;

}  // namespace

SoundSettings::SoundSettings(Host& host, WindowControls& controls, const Orientation& turned)
    : host_(host), controls_(controls), midi_(host.MidiOut(), tuning_, turned) {}

void SoundSettings::StartUp() {
    host_.MidiOut().Open();
    patchList_ = PatchList::Read(host_.ProgramDirectory() + kPathSeparator + kPatchListFileName);
    LoadSettingsWindow();
    settingsWindow_->HScrollMIDIChannel.SetValue(kStartChannel);
    controls_.HScrollPatch.SetValue(kStartSettings.patch);
    controls_.hscVolume.SetValue(kStartSettings.volume);
}

void SoundSettings::ApplyVolume() {
    midi_.ApplyVolume(controls_.hscVolume.Value());
    controls_.lblVolume.caption = WithLeadingBlank(controls_.hscVolume.Value());
}

void SoundSettings::ApplyPatch() {
    midi_.ApplyPatch(controls_.HScrollPatch.Value());
    ShowPatchName();
}

void SoundSettings::ShowPatchName() {
    controls_.lblPatch.caption = patchList_.PatchName(midi_.CurrentPatch());
    controls_.lblPatchNum.caption = std::to_string(midi_.CurrentPatch());
}

// The settings window exists from start-up on, hidden, until the user closes it; opened again
// it comes up anew.
void SoundSettings::LoadSettingsWindow() {
    settingsWindow_.emplace();
    settingsWindow_->HScrollMIDIChannel.onChange = [this] { ApplyChannel(); };
}

void SoundSettings::ApplyChannel() {
    const int channel = settingsWindow_->HScrollMIDIChannel.Value();
    const ChannelSettings settings = midi_.SelectChannel(channel);
    settingsWindow_->lblMIDICh.caption = WithLeadingBlank(channel + 1);
    controls_.HScrollPatch.SetValue(settings.patch);
    controls_.hscVolume.SetValue(settings.volume);
}

void SoundSettings::ShowSettingsWindow() {
    if (!settingsWindow_) LoadSettingsWindow();
    settingsWindow_->outputStatus = host_.MidiOut().Status();
    host_.ShowMidiSettings(*settingsWindow_);
    settingsWindow_.reset();
}

}  // namespace fretlux
