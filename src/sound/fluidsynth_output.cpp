// SPDX-License-Identifier: MIT
#include "sound/fluidsynth_output.h"

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

// Smallest first. 256 x 2 frames at 44100 Hz is 11.6 ms from a press to the sound leaving the
// program, against FluidSynth's 64 x 16 (23 ms); 256 x 3 for a device that refuses two periods
// or runs dry with them; the larger ones for a machine too busy for either.
constexpr AudioBuffer kBuffers[] = {{256, 2}, {256, 3}, {512, 2}, {1024, 2}};

// Without FluidSynth loaded its version is unknown.
std::string SynthName(const FluidSynthLibrary* fluid) {
    if (fluid == nullptr) return "Built-in synthesiser";
    return std::string("Built-in synthesiser (FluidSynth ") + fluid->fluid_version_str() + ")";
}

std::string SynthName() {
    std::string failure;
    return SynthName(LoadFluidSynth(failure));
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

std::string DescribeBuffer(const AudioBuffer& buffer) {
    return std::to_string(buffer.periodSize) + " x " + std::to_string(buffer.periods) + " frames";
}

std::string DescribeDevice(const std::string& driver, const AudioBuffer& buffer, double rate) {
    char latency[64];
    std::snprintf(latency, sizeof latency, " at %.0f Hz (%.1f ms)", rate,
                  rate > 0 ? 1000.0 * buffer.periodSize * buffer.periods / rate : 0.0);
    return "through " + DriverName(driver) + ": " + DescribeBuffer(buffer) + latency;
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
    {
        std::lock_guard lock(mutex_);
        if (phase_ != Phase::SettingUp || setUpStarted_) return;
        setUpStarted_ = true;
        try {
            setUpThread_ = std::thread(&FluidSynthOutput::SetUp, this);
            return;
        } catch (const std::system_error& error) {
            phase_ = Phase::Silent;
            // FluidSynth is loaded only on the set-up thread, so its version is not known here.
            status_ =
                SynthName(nullptr) + ", silent: cannot start its set-up (" + error.what() + ")";
        }
    }
    if (onSetUpDone_) onSetUpDone_();
}

void FluidSynthOutput::SetUp() {
    const SoundfontChoice choice = options_.soundfont ? *options_.soundfont : ChooseSoundfont();
    std::string failure;
    // Until the phase below says so under the lock, no other thread looks at the synthesiser.
    synth_ = SoundfontSynth::Create(choice, failure);
    std::string device = "without audio device";
    bool ready = synth_ != nullptr;
    if (ready && options_.audioDevice) {
        feed_.synth = synth_.get();
        ready = OpenDevice(DriversToTry(synth_->Fluid(), synth_->Settings()), 0, device);
        if (!ready) failure = device;
    }
    {
        std::lock_guard lock(mutex_);
        if (ready) {
            phase_ = driver_ ? Phase::Playing : Phase::Rendering;
            status_ = PlayingStatus(device);
            for (std::uint32_t message : pending_) synth_->Send(message);
        } else {
            phase_ = Phase::Silent;
            status_ = SynthName() + ", silent: " + failure;
            synth_.reset();
        }
        pending_.clear();
        pending_.shrink_to_fit();
    }
    setUpDone_.notify_all();
    if (onSetUpDone_) onSetUpDone_();
    if (driver_) KeepDevice();
}

std::string FluidSynthOutput::PlayingStatus(const std::string& device) const {
    return SynthName() + " with " + synth_->SoundfontPath() + ", " + device;
}

bool FluidSynthOutput::OpenDevice(const std::vector<std::string>& drivers, size_t firstBuffer,
                                  std::string& description) {
    const FluidSynthLibrary& fluid = synth_->Fluid();
    fluid_settings_t* settings = synth_->Settings();
    for (const std::string& driver : drivers) {
        if (!driver.empty() &&
            fluid.fluid_settings_setstr(settings, "audio.driver", driver.c_str()) != FLUID_OK) {
            continue;
        }
        for (size_t index = firstBuffer; index < std::size(kBuffers); ++index) {
            const AudioBuffer& buffer = kBuffers[index];
            if (!SetBuffer(fluid, settings, buffer)) continue;
            // The driver may ask for sound before it is even returned.
            feed_.watch.emplace(synth_->SampleRate(), buffer.periodSize * buffer.periods,
                                buffer.periodSize);
            feed_.mayAskForLarger = index + 1 < std::size(kBuffers);
            driver_ =
                AudioDriverPointer(fluid.new_fluid_audio_driver2(settings, &FeedDevice, &feed_),
                                   FluidAudioDriverDeleter{&fluid});
            if (driver_) {
                buffer_ = index;
                driverName_ = driver;
                description = DescribeDevice(driver, buffer, synth_->SampleRate());
                return true;
            }
        }
    }
    description = "no audio device (tried";
    for (const std::string& driver : drivers) description += " " + DriverName(driver);
    description += ")";
    return false;
}

int FluidSynthOutput::FeedDevice(void* data, int frames, int effectCount, float* effects[],
                                 int outputCount, float* outputs[]) {
    DeviceFeed& feed = *static_cast<DeviceFeed*>(data);
    feed.watch->OnRequest(UnderrunWatch::Clock::now(), frames);
    if (feed.mayAskForLarger && feed.watch->BufferTooSmall()) {
        feed.mayAskForLarger = false;
        int quiet = kQuiet;
        // A closing output has said so already and is not asked anything more.
        if (feed.signal->compare_exchange_strong(quiet, kBufferTooSmall)) {
            feed.signal->notify_one();
        }
    }
    return feed.synth->Process(frames, effectCount, effects, outputCount, outputs) ? FLUID_OK
                                                                                   : FLUID_FAILED;
}

void FluidSynthOutput::KeepDevice() {
    for (;;) {
        signal_.wait(kQuiet);
        if (signal_.load() == kClosing) return;
        // Deleting the driver stops its thread, so the feed is left alone while it is reset.
        driver_.reset();
        const AudioBuffer& dry = kBuffers[buffer_];
        std::string device;
        const bool playing = OpenDevice({driverName_}, buffer_ + 1, device);
        {
            std::lock_guard lock(mutex_);
            if (playing) {
                status_ = PlayingStatus(device + ", as it ran dry with " + DescribeBuffer(dry));
            } else {
                phase_ = Phase::Silent;
                status_ = SynthName() + ", silent: " + device + " after it ran dry";
            }
        }
        if (!playing) return;
        int tooSmall = kBufferTooSmall;
        signal_.compare_exchange_strong(tooSmall, kQuiet);
    }
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
    signal_.store(kClosing);
    signal_.notify_one();
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

bool FluidSynthOutput::Silent() const {
    std::lock_guard lock(mutex_);
    return phase_ == Phase::Silent;
}

bool FluidSynthOutput::Render(std::span<float> left, std::span<float> right) {
    std::lock_guard lock(mutex_);
    if (phase_ != Phase::Rendering) return false;
    return synth_->Render(left, right);
}

}  // namespace fretlux
