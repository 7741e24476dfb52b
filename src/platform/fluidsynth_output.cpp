// SPDX-License-Identifier: MIT
#include "platform/fluidsynth_output.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace fretlux {

namespace {

using AudioDriverPointer = std::unique_ptr<fluid_audio_driver_t, FluidAudioDriverDeleter>;

// At most this many messages wait for a set-up that takes long, so that waiting cannot eat
// memory; program changes wait beyond it, so the instrument is right once the sound starts.
constexpr size_t kMostQueuedMessages = 4096;

// Drivers in the order they are tried, among those FluidSynth was built with: the sound
// servers first, then the sound card itself.
constexpr const char* kPreferredDrivers[] = {"pipewire", "pulseaudio", "alsa"};

struct AudioBuffer {
    int periodSize;
    int periods;
};

// 256 x 2 frames at 44100 Hz is 11.6 ms from a press to the sound leaving the program,
// against FluidSynth's 64 x 16 (23 ms); 256 x 3 for a device that refuses two periods.
constexpr AudioBuffer kSmallBuffers[] = {{256, 2}, {256, 3}};

// Without FluidSynth loaded its version is unknown.
std::string SynthName(const FluidSynthLibrary* fluid) {
    if (fluid == nullptr) return "Built-in synthesiser";
    return std::string("Built-in synthesiser (FluidSynth ") + fluid->fluid_version_str() + ")";
}

void AddOption(void* data, const char* /*name*/, const char* option) {
    static_cast<std::vector<std::string>*>(data)->push_back(option);
}

// The drivers to try; one empty name, FluidSynth's own choice, when it has none of ours.
std::vector<std::string> DriversToTry(const FluidSynthLibrary& fluid, fluid_settings_t* settings) {
    std::vector<std::string> available;
    fluid.fluid_settings_foreach_option(settings, "audio.driver", &available, AddOption);
    std::vector<std::string> drivers;
    for (const char* driver : kPreferredDrivers) {
        if (std::find(available.begin(), available.end(), driver) != available.end()) {
            drivers.emplace_back(driver);
        }
    }
    if (drivers.empty()) drivers.emplace_back();
    return drivers;
}

std::string DriverName(const std::string& driver) {
    return driver.empty() ? std::string("FluidSynth's default driver") : driver;
}

bool SetBuffer(const FluidSynthLibrary& fluid, fluid_settings_t* settings,
               const AudioBuffer& buffer) {
    return fluid.fluid_settings_setint(settings, "audio.period-size", buffer.periodSize) ==
               FLUID_OK &&
           fluid.fluid_settings_setint(settings, "audio.periods", buffer.periods) == FLUID_OK;
}

std::string DescribeDevice(const std::string& driver, const AudioBuffer& buffer, double rate) {
    char text[160];
    std::snprintf(text, sizeof text, "through %s: %d x %d frames at %.0f Hz (%.1f ms)",
                  DriverName(driver).c_str(), buffer.periodSize, buffer.periods, rate,
                  rate > 0 ? 1000.0 * buffer.periodSize * buffer.periods / rate : 0.0);
    return text;
}

// Starts the first driver that opens a device, with the smallest buffer it accepts, falling
// back to FluidSynth's default buffer. Each refusal takes about a millisecond.
AudioDriverPointer StartAudioDriver(SoundfontSynth& synth, std::string& description) {
    const FluidSynthLibrary& fluid = synth.Fluid();
    fluid_settings_t* settings = synth.Settings();
    AudioBuffer defaultBuffer{};
    if (fluid.fluid_settings_getint_default(settings, "audio.period-size",
                                            &defaultBuffer.periodSize) != FLUID_OK ||
        fluid.fluid_settings_getint_default(settings, "audio.periods", &defaultBuffer.periods) !=
            FLUID_OK) {
        description = "FluidSynth has no audio buffer settings";
        return nullptr;
    }
    const std::vector<std::string> drivers = DriversToTry(fluid, settings);
    for (const std::string& driver : drivers) {
        if (!driver.empty() &&
            fluid.fluid_settings_setstr(settings, "audio.driver", driver.c_str()) != FLUID_OK) {
            continue;
        }
        for (const AudioBuffer& buffer : {kSmallBuffers[0], kSmallBuffers[1], defaultBuffer}) {
            if (!SetBuffer(fluid, settings, buffer)) continue;
            AudioDriverPointer audio(fluid.new_fluid_audio_driver(settings, synth.Synth()),
                                     FluidAudioDriverDeleter{&fluid});
            if (audio) {
                description = DescribeDevice(driver, buffer, synth.SampleRate());
                return audio;
            }
        }
    }
    description = "no audio device (tried";
    for (const std::string& driver : drivers) description += " " + DriverName(driver);
    description += ")";
    return nullptr;
}

bool IsProgramChange(std::uint32_t message) { return (message & 0xF0) == 0xC0; }

}  // namespace

FluidSynthOutput::FluidSynthOutput(FluidSynthOptions options) : options_(std::move(options)) {}

FluidSynthOutput::~FluidSynthOutput() { Close(); }

void FluidSynthOutput::Open() {
    {
        std::lock_guard lock(mutex_);
        if (phase_ != Phase::NotOpen) return;
        phase_ = Phase::SettingUp;
        status_ = "Built-in synthesiser: starting";
    }
    if (options_.setUpOnOpen) StartSetUp();
}

void FluidSynthOutput::StartSetUp() {
    std::lock_guard lock(mutex_);
    if (phase_ != Phase::SettingUp || setUpStarted_) return;
    setUpStarted_ = true;
    try {
        setUpThread_ = std::thread(&FluidSynthOutput::SetUp, this);
    } catch (const std::system_error& error) {
        phase_ = Phase::Silent;
        // FluidSynth is loaded only on the set-up thread, so its version is not known here.
        status_ = SynthName(nullptr) + ", silent: cannot start its set-up (" + error.what() + ")";
    }
}

void FluidSynthOutput::SetUp() {
    const SoundfontChoice choice = options_.soundfont ? *options_.soundfont : ChooseSoundfont();
    std::string failure;
    std::unique_ptr<SoundfontSynth> synth = SoundfontSynth::Create(choice, failure);
    // Create has loaded FluidSynth unless there was no soundfont; the status line names its
    // version whenever it can be loaded.
    std::string loadFailure;
    const FluidSynthLibrary* fluid = LoadFluidSynth(loadFailure);
    AudioDriverPointer driver;
    std::string device;
    if (synth && options_.audioDevice) {
        driver = StartAudioDriver(*synth, device);
        if (!driver) failure = device;
    }
    const bool ready = synth && (driver || !options_.audioDevice);
    {
        std::lock_guard lock(mutex_);
        if (ready) {
            synth_ = std::move(synth);
            driver_ = std::move(driver);
            phase_ = driver_ ? Phase::Playing : Phase::Rendering;
            status_ = SynthName(fluid) + " with " + synth_->SoundfontPath() + ", " +
                      (driver_ ? device : std::string("without audio device"));
            for (std::uint32_t message : pending_) synth_->Send(message);
        } else {
            phase_ = Phase::Silent;
            status_ = SynthName(fluid) + ", silent: " + failure;
        }
        pending_.clear();
        pending_.shrink_to_fit();
    }
    setUpDone_.notify_all();
}

void FluidSynthOutput::SendShortMessage(std::uint32_t message) {
    std::lock_guard lock(mutex_);
    switch (phase_) {
        case Phase::Playing:
        case Phase::Rendering:
            synth_->Send(message);
            break;
        case Phase::SettingUp:
            if (pending_.size() < kMostQueuedMessages || IsProgramChange(message)) {
                pending_.push_back(message);
            }
            break;
        case Phase::NotOpen:
        case Phase::Silent:
        case Phase::Closed:
            break;
    }
}

void FluidSynthOutput::Close() {
    if (setUpThread_.joinable()) setUpThread_.join();
    std::lock_guard lock(mutex_);
    if (phase_ == Phase::Closed) return;
    phase_ = Phase::Closed;
    status_ = "Built-in synthesiser: closed";
    driver_.reset();
    synth_.reset();
}

void FluidSynthOutput::WaitUntilSetUp() {
    std::unique_lock lock(mutex_);
    setUpDone_.wait(lock, [this] { return !setUpStarted_ || phase_ != Phase::SettingUp; });
}

std::string FluidSynthOutput::Status() const {
    std::lock_guard lock(mutex_);
    return status_;
}

bool FluidSynthOutput::Render(std::span<float> left, std::span<float> right) {
    std::lock_guard lock(mutex_);
    if (phase_ != Phase::Rendering) return false;
    return synth_->Render(left, right);
}

}  // namespace fretlux
