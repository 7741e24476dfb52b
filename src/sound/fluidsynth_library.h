// SPDX-License-Identifier: MIT
// FluidSynth, loaded when the synthesiser is first set up rather than linked into the program:
// linked, the loader maps it and the forty libraries it pulls in (sound servers, codecs, SDL)
// before main runs, on every start, even of commands that never play. Loaded here, that work
// happens on the synthesiser's own set-up thread. Its header still describes the functions.
#pragma once

#include <fluidsynth.h>

#include <optional>
#include <string>

namespace fretlux {

// The FluidSynth whose functions fluidsynth.h describes: the major version 2 series from 2.2 on.
inline constexpr const char* kFluidSynthLibraryName = "libfluidsynth.so.3";

// Every FluidSynth function the program calls, under FluidSynth's own names so that they read
// and search as they do in its documentation.
struct FluidSynthLibrary {
    decltype(&::new_fluid_settings) new_fluid_settings = nullptr;
    decltype(&::delete_fluid_settings) delete_fluid_settings = nullptr;
    decltype(&::fluid_settings_setint) fluid_settings_setint = nullptr;
    decltype(&::fluid_settings_setnum) fluid_settings_setnum = nullptr;
    decltype(&::fluid_settings_setstr) fluid_settings_setstr = nullptr;
    decltype(&::fluid_settings_getnum) fluid_settings_getnum = nullptr;
    decltype(&::fluid_settings_foreach_option) fluid_settings_foreach_option = nullptr;
    decltype(&::new_fluid_synth) new_fluid_synth = nullptr;
    decltype(&::delete_fluid_synth) delete_fluid_synth = nullptr;
    decltype(&::fluid_synth_sfload) fluid_synth_sfload = nullptr;
    decltype(&::fluid_synth_noteon) fluid_synth_noteon = nullptr;
    decltype(&::fluid_synth_noteoff) fluid_synth_noteoff = nullptr;
    decltype(&::fluid_synth_program_change) fluid_synth_program_change = nullptr;
    decltype(&::fluid_synth_write_float) fluid_synth_write_float = nullptr;
    decltype(&::fluid_synth_process) fluid_synth_process = nullptr;
    decltype(&::fluid_synth_reverb_on) fluid_synth_reverb_on = nullptr;
    decltype(&::fluid_synth_chorus_on) fluid_synth_chorus_on = nullptr;
    decltype(&::new_fluid_audio_driver2) new_fluid_audio_driver2 = nullptr;
    decltype(&::delete_fluid_audio_driver) delete_fluid_audio_driver = nullptr;
    decltype(&::fluid_set_log_function) fluid_set_log_function = nullptr;
    decltype(&::fluid_version_str) fluid_version_str = nullptr;
};

// FluidSynth from kFluidSynthLibraryName, loaded by the first call from whichever thread makes
// it; every later call gets the same answer at once. Nothing, with the reason in failure, when
// the library or one of its functions is missing. A loaded library stays loaded until the
// process ends: the sound libraries under it start threads and register exit handlers that
// unloading would leave pointing nowhere.
const FluidSynthLibrary* LoadFluidSynth(std::string& failure);

// Loads FluidSynth from the named library file on every call; LoadFluidSynth's single load goes
// through here.
std::optional<FluidSynthLibrary> LoadFluidSynthLibrary(const char* fileName, std::string& failure);

}  // namespace fretlux
