// SPDX-License-Identifier: MIT
// FluidSynth's synthesiser with a General MIDI soundfont loaded, without any audio device: the
// part of the built-in synthesiser that makes the sound. The output that plays through the
// sound card adds an audio driver to it; tests and benchmarks pull the sound out directly.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/fluidsynth_library.h"

namespace fretlux {

inline constexpr const char* kSoundfontVariable = "FRETLUX_SOUNDFONT";
// The better-sounding soundfont, used when installed; large, so its samples are loaded only
// for the instruments in use.
inline constexpr const char* kFluidR3Soundfont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
// The small soundfont that is always installed with the program.
inline constexpr const char* kTimGm6mbSoundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

struct SoundfontChoice {
    std::string path;  // empty when no soundfont was found
    bool dynamicSampleLoading = false;
};

// FRETLUX_SOUNDFONT when set and not empty, else FluidR3_GM when present, else TimGM6mb when
// present. The variable's value and the file test are passed in so the rule can be tested.
SoundfontChoice ChooseSoundfont(const char* variableValue,
                                const std::function<bool(const std::string&)>& fileExists);
// The same rule applied to this process's environment and the file system.
SoundfontChoice ChooseSoundfont();

// Each deleter holds the library that made what it deletes.
struct FluidSettingsDeleter {
    const FluidSynthLibrary* fluid = nullptr;
    void operator()(fluid_settings_t* settings) const { fluid->delete_fluid_settings(settings); }
};
struct FluidSynthDeleter {
    const FluidSynthLibrary* fluid = nullptr;
    void operator()(fluid_synth_t* synth) const { fluid->delete_fluid_synth(synth); }
};
struct FluidAudioDriverDeleter {
    const FluidSynthLibrary* fluid = nullptr;
    void operator()(fluid_audio_driver_t* driver) const {
        fluid->delete_fluid_audio_driver(driver);
    }
};

class SoundfontSynth {
public:
    // The synthesiser with the chosen soundfont, or nothing with the reason in failure. The first
    // call with a soundfont loads FluidSynth, on the calling thread. Rendering ahead of time may
    // spread the voices over several cores (the sound is the same); playing live keeps to one,
    // so that no other thread ever holds up the audio.
    static std::unique_ptr<SoundfontSynth> Create(const SoundfontChoice& choice,
                                                  std::string& failure, int cpuCores = 1);
    SoundfontSynth(const SoundfontSynth&) = delete;
    SoundfontSynth& operator=(const SoundfontSynth&) = delete;

    // Plays one short MIDI message (status + 256 x data1 + 65536 x data2): note on, where
    // velocity 0 is a note off, note off, and program change. Other messages are ignored.
    // A channel takes its instrument (program 0 until a program change names another) when it
    // next plays a note: with samples loaded on demand, taking an instrument is loading it, and
    // an instrument that no note plays costs no memory.
    void Send(std::uint32_t message);

    // Renders left.size() frames of stereo sound; both spans have the same size.
    bool Render(std::span<float> left, std::span<float> right);
    // Adds the next `frames` frames to an audio driver's zeroed buffers, with reverb and chorus
    // mixed into the dry sound when the driver has no buffers of its own for them.
    bool Process(int frames, int effectCount, float* effects[], int outputCount, float* outputs[]);

    double SampleRate() const;
    const std::string& SoundfontPath() const { return soundfontPath_; }
    fluid_settings_t* Settings() const { return settings_.get(); }
    fluid_synth_t* Synth() const { return synth_.get(); }
    // The functions to call on Settings() and Synth().
    const FluidSynthLibrary& Fluid() const { return *fluid_; }

private:
    explicit SoundfontSynth(const FluidSynthLibrary& fluid) : fluid_(&fluid) {
        takenProgram_.fill(-1);
    }

    const FluidSynthLibrary* fluid_;
    // Declared in this order so that the synthesiser goes before the settings it was made from.
    std::unique_ptr<fluid_settings_t, FluidSettingsDeleter> settings_;
    std::unique_ptr<fluid_synth_t, FluidSynthDeleter> synth_;
    std::string soundfontPath_;
    static constexpr int kChannels = 16;
    // The program each channel is to play, and the one FluidSynth has taken for it (-1: none).
    std::array<int, kChannels> wantedProgram_{};
    std::array<int, kChannels> takenProgram_;
};

}  // namespace fretlux
