// SPDX-License-Identifier: MIT
// The built-in synthesiser: the program's default MIDI output, playing every short message
// with FluidSynth and a General MIDI soundfont through the platform's audio driver.
//
// Opening returns at once: the soundfont and the audio device are set up on a thread of their
// own, so the window does not wait for them. Messages sent meanwhile are queued and played in
// their order as soon as the synthesiser is ready. Without a soundfont or an audio device the
// output stays silent, and Status() says why. The device gets a small buffer for a short
// latency; when it keeps running dry with it, a larger one is opened in its place.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "playback/midi_output.h"
#include "sound/soundfont_synth.h"
#include "sound/underrun_watch.h"

namespace fretlux {

struct FluidSynthOptions {
    // Unset: ChooseSoundfont() decides when the output is opened.
    std::optional<SoundfontChoice> soundfont;
    // Off: no audio device is opened and the owner pulls the sound out with Render().
    bool audioDevice = true;
    // Off: Open() only starts queueing messages and StartSetUp() begins the set-up, so that a
    // window can appear before the synthesiser takes the other core.
    bool setUpOnOpen = true;
};

class FluidSynthOutput final : public MidiOutput {
public:
    explicit FluidSynthOutput(FluidSynthOptions options = {});
    ~FluidSynthOutput() override;
    FluidSynthOutput(const FluidSynthOutput&) = delete;
    FluidSynthOutput& operator=(const FluidSynthOutput&) = delete;

    // Starts setting up, unless the options leave that to StartSetUp(); a second call does
    // nothing.
    void Open() override;
    // Begins the set-up of an output that is open and waiting for it; otherwise does nothing.
    void StartSetUp();
    void SendShortMessage(std::uint32_t message) override;
    // Waits for a set-up still running, then releases the audio device and the synthesiser.
    // Messages sent afterwards are dropped.
    void Close() override;

    // Returns once the set-up has finished, with sound or silent (at once if it never began).
    void WaitUntilSetUp();
    // Which output is in use, or why it is silent.
    std::string Status() const override;
    bool Silent() const override;
    // Called once the set-up has finished, with sound or silent, on the thread that finished it;
    // set before the set-up begins.
    void SetOnSetUpDone(std::function<void()> onSetUpDone) {
        onSetUpDone_ = std::move(onSetUpDone);
    }
    // Without an audio device: renders the next frames of sound. False while the synthesiser
    // is not ready, when it plays through an audio device, or when the spans differ in size.
    bool Render(std::span<float> left, std::span<float> right);

private:
    enum class Phase { NotOpen, SettingUp, Playing, Rendering, Silent, Closed };
    enum Signal : int { kQuiet, kBufferTooSmall, kClosing };

    // What the audio driver's thread uses while the device plays.
    struct DeviceFeed {
        SoundfontSynth* synth = nullptr;
        std::atomic<int>* signal = nullptr;
        std::optional<UnderrunWatch> watch{};
        // False once it has asked, or when no larger buffer is left to ask for.
        bool mayAskForLarger = false;
    };

    void SetUp();
    // On the set-up thread while the device plays: opens a larger buffer whenever the device
    // keeps running dry, until the output closes.
    void KeepDevice();
    // Opens the first of the drivers that takes one of the buffers from firstBuffer on.
    bool OpenDevice(const std::vector<std::string>& drivers, size_t firstBuffer,
                    std::string& description);
    std::string PlayingStatus(const std::string& device) const;
    static int FeedDevice(void* feed, int frames, int effectCount, float* effects[],
                          int outputCount, float* outputs[]);

    const FluidSynthOptions options_;
    mutable std::mutex mutex_;
    std::condition_variable setUpDone_;
    Phase phase_ = Phase::NotOpen;
    bool setUpStarted_ = false;
    std::string status_ = "Built-in synthesiser: not open";
    std::vector<std::uint32_t> pending_;
    std::atomic<int> signal_{kQuiet};
    // Declared before the driver so that the driver, which calls into them, is destroyed first.
    std::unique_ptr<SoundfontSynth> synth_;
    DeviceFeed feed_{.signal = &signal_};
    // Only the set-up thread changes these until Close() has joined it.
    std::unique_ptr<fluid_audio_driver_t, FluidAudioDriverDeleter> driver_;
    size_t buffer_ = 0;
    std::string driverName_;
    std::thread setUpThread_;
    std::function<void()> onSetUpDone_;
};

}  // namespace fretlux
