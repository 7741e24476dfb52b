// SPDX-License-Identifier: MIT
#include "platform/soundfont_synth.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>

namespace fretlux {

SoundfontChoice ChooseSoundfont(const char* variableValue,
                                const std::function<bool(const std::string&)>& fileExists) {
    // A soundfont the user names may be of any size, so it is loaded as lazily as FluidR3_GM.
    if (variableValue != nullptr && *variableValue != '\0') return {variableValue, true};
    if (fileExists(kFluidR3Soundfont)) return {kFluidR3Soundfont, true};
    if (fileExists(kTimGm6mbSoundfont)) return {kTimGm6mbSoundfont, false};
    return {};
}

SoundfontChoice ChooseSoundfont() {
    return ChooseSoundfont(std::getenv(kSoundfontVariable), [](const std::string& path) {
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    });
}

namespace {

constexpr double kGain = 0.3;
// Six strings, each sounding a note or two with its release: far below FluidSynth's 256 voices,
// whose buffers cost 2 MB at start. FluidSynth gives up released voices first when they run out.
constexpr int kPolyphony = 64;

// Failures reach the user as the settings window's status line; nothing is printed.
void SilenceFluidSynthLog(const FluidSynthLibrary& fluid) {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
        fluid.fluid_set_log_function(level, nullptr, nullptr);
    }
}

// ALSA's library, which FluidSynth brings in, prints lines of its own to standard error, a
// dozen for each device it is asked for when the machine has no sound card.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void SilenceAlsaLibrary() {
    // Only an ALSA already loaded: without it there is nothing to silence.
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (alsa == nullptr) return;
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetErrorHandler = int (*)(ErrorHandler);
    if (auto set = reinterpret_cast<SetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) {
        set(&IgnoreAlsaError);
    }
    dlclose(alsa);
}

}  // namespace

std::unique_ptr<SoundfontSynth> SoundfontSynth::Create(const SoundfontChoice& choice,
                                                       std::string& failure, int cpuCores) {
    if (choice.path.empty()) {
        failure = std::string("no soundfont found (set ") + kSoundfontVariable +
                  " or install fluid-soundfont-gm or timgm6mb-soundfont)";
        return nullptr;
    }
    const FluidSynthLibrary* fluid = LoadFluidSynth(failure);
    if (fluid == nullptr) return nullptr;
    SilenceFluidSynthLog(*fluid);
    SilenceAlsaLibrary();
    std::unique_ptr<SoundfontSynth> result(new SoundfontSynth(*fluid));
    result->soundfontPath_ = choice.path;
    result->settings_ = {fluid->new_fluid_settings(), FluidSettingsDeleter{fluid}};
    if (!result->settings_) {
        failure = "FluidSynth could not create its settings";
        return nullptr;
    }
    // FluidSynth's default gain leaves a single note near -40 dBFS; a full six-string chord at
    // the highest velocity still stays below full scale at this gain.
    if (fluid->fluid_settings_setnum(result->Settings(), "synth.gain", kGain) != FLUID_OK) {
        failure = "FluidSynth does not know synth.gain";
        return nullptr;
    }
    if (fluid->fluid_settings_setint(result->Settings(), "synth.polyphony", kPolyphony) !=
        FLUID_OK) {
        failure = "FluidSynth does not know synth.polyphony";
        return nullptr;
    }
    if (choice.dynamicSampleLoading &&
        fluid->fluid_settings_setint(result->Settings(), "synth.dynamic-sample-loading", 1) !=
            FLUID_OK) {
        failure = "FluidSynth does not know synth.dynamic-sample-loading";
        return nullptr;
    }
    if (cpuCores > 1 &&
        fluid->fluid_settings_setint(result->Settings(), "synth.cpu-cores", cpuCores) != FLUID_OK) {
        failure = "FluidSynth does not know synth.cpu-cores";
        return nullptr;
    }
    result->synth_ = {fluid->new_fluid_synth(result->Settings()), FluidSynthDeleter{fluid}};
    if (!result->synth_) {
        failure = "FluidSynth could not create the synthesiser";
        return nullptr;
    }
    // No instrument is taken for the channels yet (Send takes them as they play): FluidSynth's
    // own choice of the piano for every channel and the drums for channel 10 would load them.
    if (fluid->fluid_synth_sfload(result->Synth(), choice.path.c_str(), 0) == FLUID_FAILED) {
        failure = "cannot load the soundfont " + choice.path;
        return nullptr;
    }
    return result;
}

void SoundfontSynth::Send(std::uint32_t message) {
    const int status = static_cast<int>(message & 0xFF);
    const int channel = status & 0x0F;
    const int data1 = static_cast<int>((message >> 8) & 0x7F);
    const int data2 = static_cast<int>((message >> 16) & 0x7F);
    // A message the synthesiser refuses (such as a note off for a note that is not sounding,
    // which every note-off sweep sends) passes silently, as every MIDI error does.
    switch (status & 0xF0) {
        case 0x80:
            fluid_->fluid_synth_noteoff(Synth(), channel, data1);
            break;
        case 0x90:
            if (data2 == 0) {
                fluid_->fluid_synth_noteoff(Synth(), channel, data1);
            } else {
                if (takenProgram_[channel] != wantedProgram_[channel]) {
                    fluid_->fluid_synth_program_change(Synth(), channel, wantedProgram_[channel]);
                    takenProgram_[channel] = wantedProgram_[channel];
                }
                fluid_->fluid_synth_noteon(Synth(), channel, data1, data2);
            }
            break;
        case 0xC0:
            wantedProgram_[channel] = data1;
            break;
        default:
            break;
    }
}

bool SoundfontSynth::Render(std::span<float> left, std::span<float> right) {
    if (left.size() != right.size()) return false;
    return fluid_->fluid_synth_write_float(Synth(), static_cast<int>(left.size()), left.data(), 0,
                                           1, right.data(), 0, 1) == FLUID_OK;
}

bool SoundfontSynth::Process(int frames, int effectCount, float* effects[], int outputCount,
                             float* outputs[]) {
    if (outputCount < 1) return false;
    if (effectCount == 0) {
        // FluidSynth's effects come as a reverb pair and a chorus pair.
        float* const right = outputs[outputCount > 1 ? 1 : 0];
        float* mixed[] = {outputs[0], right, outputs[0], right};
        return fluid_->fluid_synth_process(Synth(), frames, 4, mixed, outputCount, outputs) ==
               FLUID_OK;
    }
    return fluid_->fluid_synth_process(Synth(), frames, effectCount, effects, outputCount,
                                       outputs) == FLUID_OK;
}

double SoundfontSynth::SampleRate() const {
    double rate = 0;
    if (fluid_->fluid_settings_getnum(Settings(), "synth.sample-rate", &rate) != FLUID_OK) return 0;
    return rate;
}

}  // namespace fretlux
