// SPDX-License-Identifier: MIT
// The sound the window plays through: the MIDI state, the Volume and Patch bars with their
// labels, the patch names, the sound switch and the MIDI settings window's channel.
#pragma once

#include <optional>

#include "app/host.h"
#include "app/midi_settings_form.h"
#include "app/window_controls.h"
#include "fretboard/orientation.h"
#include "fretboard/tuning.h"
#include "playback/midi_state.h"
#include "playback/patch_list.h"

namespace fretlux {

class SoundSettings {
public:
    // The notes sound the way the board is turned.
    SoundSettings(Host& host, WindowControls& controls, const Orientation& turned);
    SoundSettings(const SoundSettings&) = delete;
    SoundSettings& operator=(const SoundSettings&) = delete;

    MidiState& Midi() { return midi_; }
    const MidiState& Midi() const { return midi_; }

    // Opens the output, reads the patch names, and brings channel 0 to the start-up patch and
    // volume.
    void StartUp();
    void ApplyVolume();
    void ApplyPatch();
    void ToggleSound() { midi_.soundOn = !midi_.soundOn; }
    void ShowSettingsWindow();

private:
    void LoadSettingsWindow();
    void ApplyChannel();
    void ShowPatchName();

    Host& host_;
    WindowControls& controls_;
    Tuning tuning_;
    MidiState midi_;
    PatchList patchList_;
    // The MIDI settings window while it is loaded; start-up loads it without showing it.
    std::optional<MidiSettingsForm> settingsWindow_;
};

}  // namespace fretlux
