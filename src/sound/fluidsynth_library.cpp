// SPDX-License-Identifier: MIT
#include "sound/fluidsynth_library.h"

#include <dlfcn.h>

namespace fretlux {

namespace {

std::string LoadError() {
    const char* error = dlerror();
    return error != nullptr ? error : "unknown error";
}

template <typename Function>
void Resolve(void* handle, const char* name, Function& function, std::string& firstMissing,
             int& missingCount) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (function != nullptr) return;
    if (missingCount++ == 0) firstMissing = name;
}

struct LoadedFluidSynth {
    std::optional<FluidSynthLibrary> library;
    std::string failure;
};

}  // namespace

std::optional<FluidSynthLibrary> LoadFluidSynthLibrary(const char* fileName, std::string& failure) {
    // Binding every symbol now makes a library that cannot work fail here, with a reason, rather
    // than in the middle of playing.
    void* handle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        failure = "cannot load FluidSynth: " + LoadError();
        return std::nullopt;
    }
    FluidSynthLibrary library;
    std::string firstMissing;
    int missingCount = 0;
    // Each name is written once, so a function cannot land in the slot of another of its type.
#define FRETLUX_RESOLVE(name) Resolve(handle, #name, library.name, firstMissing, missingCount)
    FRETLUX_RESOLVE(new_fluid_settings);
    FRETLUX_RESOLVE(delete_fluid_settings);
    FRETLUX_RESOLVE(fluid_settings_setint);
    FRETLUX_RESOLVE(fluid_settings_setnum);
    FRETLUX_RESOLVE(fluid_settings_setstr);
    FRETLUX_RESOLVE(fluid_settings_getnum);
    FRETLUX_RESOLVE(fluid_settings_foreach_option);
    FRETLUX_RESOLVE(new_fluid_synth);
    FRETLUX_RESOLVE(delete_fluid_synth);
    FRETLUX_RESOLVE(fluid_synth_sfload);
    FRETLUX_RESOLVE(fluid_synth_noteon);
    FRETLUX_RESOLVE(fluid_synth_noteoff);
    FRETLUX_RESOLVE(fluid_synth_program_change);
    FRETLUX_RESOLVE(fluid_synth_write_float);
    FRETLUX_RESOLVE(fluid_synth_process);
    FRETLUX_RESOLVE(fluid_synth_reverb_on);
    FRETLUX_RESOLVE(fluid_synth_chorus_on);
    FRETLUX_RESOLVE(new_fluid_audio_driver2);
    FRETLUX_RESOLVE(delete_fluid_audio_driver);
    FRETLUX_RESOLVE(fluid_set_log_function);
    FRETLUX_RESOLVE(fluid_version_str);
#undef FRETLUX_RESOLVE
    if (missingCount > 0) {
        dlclose(handle);
        failure = std::string("cannot use FluidSynth: ") + fileName + " lacks " + firstMissing;
        if (missingCount > 1) {
            failure += " (and " + std::to_string(missingCount - 1) + " more functions)";
        }
        return std::nullopt;
    }
    return library;
}

const FluidSynthLibrary* LoadFluidSynth(std::string& failure) {
    static const LoadedFluidSynth loaded = [] {
        LoadedFluidSynth result;
        result.library = LoadFluidSynthLibrary(kFluidSynthLibraryName, result.failure);
        return result;
    }();
    if (!loaded.library) {
        failure = loaded.failure;
        return nullptr;
    }
    return &*loaded.library;
}

}  // namespace fretlux
