// SPDX-License-Identifier: MIT
#include "take_audio.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numbers>

#include "playback/wave_file.h"
#include "seeded_random.h"
#include "sound/offline_render.h"
#include "sound/soundfont_synth.h"

namespace fretlux::takes {

namespace {

constexpr double kLevelBlockSeconds = 0.05;
constexpr double kSoundingBelowLoudest = 0.01;  // 40 dB

// Pink noise, equal energy per octave like the hiss and rumble of a room: Voss and McCartney's
// sum of random values, the k-th renewed every 2^k samples.
class PinkNoise {
public:
    explicit PinkNoise(std::uint64_t seed) : random_(seed) {
        for (double& row : rows_) row = random_.Between(-1.0, 1.0);
    }

    double Next() {
        ++counter_;
        // The row of the lowest set bit changes, so row k changes every 2^(k+1) samples.
        const int row = std::min(std::countr_zero(counter_), static_cast<int>(kRows) - 1);
        rows_[static_cast<size_t>(row)] = random_.Between(-1.0, 1.0);
        double sum = random_.Between(-1.0, 1.0);
        for (const double value : rows_) sum += value;
        return sum;
    }

private:
    static constexpr size_t kRows = 15;
    SeededRandom random_;
    std::array<double, kRows> rows_{};
    std::uint64_t counter_ = 0;
};

// Band-limited interpolation between samples: a Hann-windowed sinc reaching this many samples
// each side, tabulated this finely between two samples.
constexpr int kKernelReach = 16;
constexpr int kKernelSteps = 256;

// The sound played slowing times slower, every frequency divided by slowing.
class Slower {
public:
    explicit Slower(double slowing) : slowing_(slowing) {
        // Read faster than it was sampled, the sound must lose what would fold over.
        const double cutoff = std::min(1.0, slowing);
        kernel_.resize(2 * kKernelReach * kKernelSteps + 1);
        for (size_t i = 0; i < kernel_.size(); ++i) {
            const double t = static_cast<double>(i) / kKernelSteps - kKernelReach;
            const double x = std::numbers::pi * cutoff * t;
            const double window = 0.5 + 0.5 * std::cos(std::numbers::pi * t / kKernelReach);
            kernel_[i] = cutoff * (x == 0 ? 1.0 : std::sin(x) / x) * window;
        }
    }

    std::vector<float> Slowed(const std::vector<float>& samples) const {
        std::vector<float> slowed(
            static_cast<size_t>(static_cast<double>(samples.size()) * slowing_));
        const auto size = static_cast<std::ptrdiff_t>(samples.size());
        for (size_t i = 0; i < slowed.size(); ++i) {
            const double at = static_cast<double>(i) / slowing_;
            const auto whole = static_cast<std::ptrdiff_t>(at);
            double sum = 0;
            for (std::ptrdiff_t k = std::max<std::ptrdiff_t>(0, whole - kKernelReach + 1);
                 k <= std::min(size - 1, whole + kKernelReach); ++k) {
                sum += samples[static_cast<size_t>(k)] * Kernel(at - static_cast<double>(k));
            }
            slowed[i] = static_cast<float>(sum);
        }
        return slowed;
    }

private:
    double Kernel(double t) const {
        const double place = (t + kKernelReach) * kKernelSteps;
        const auto below = static_cast<size_t>(place);
        if (below + 1 >= kernel_.size()) return 0;
        const double share = place - static_cast<double>(below);
        return (1 - share) * kernel_[below] + share * kernel_[below + 1];
    }

    double slowing_;
    std::vector<double> kernel_;
};

}  // namespace

std::optional<TakeAudio> RenderEvents(const std::vector<TimedMidiMessage>& events,
                                      const std::string& soundfontPath, std::string& failure,
                                      double detuneCents) {
    // A named soundfont is loaded as fretlux-cli loads FRETLUX_SOUNDFONT: samples on demand.
    const auto synth = SoundfontSynth::Create({soundfontPath, true}, failure);
    if (!synth) return std::nullopt;
    // A detuned guitar is rendered in tune but hurried, then slowed down to its own pitch, which
    // brings every note back to its time.
    const double slowing = std::exp2(-detuneCents / 1200);
    std::vector<TimedMidiMessage> hurried = events;
    for (TimedMidiMessage& event : hurried) {
        event.milliseconds = std::llround(static_cast<double>(event.milliseconds) / slowing);
    }
    TakeAudio audio;
    audio.sampleRate = static_cast<int>(std::lround(synth->SampleRate()));
    const FrameSink sink = [&audio](std::span<const float> left, std::span<const float> right) {
        audio.left.insert(audio.left.end(), left.begin(), left.end());
        audio.right.insert(audio.right.end(), right.begin(), right.end());
        return true;
    };
    if (!RenderOffline(*synth, hurried, sink, nullptr, failure)) return std::nullopt;
    if (detuneCents != 0) {
        const Slower slower(slowing);
        audio.left = slower.Slowed(audio.left);
        audio.right = slower.Slowed(audio.right);
    }
    return audio;
}

double PlayingLevel(const TakeAudio& audio) {
    const size_t block = static_cast<size_t>(audio.sampleRate * kLevelBlockSeconds);
    std::vector<double> energies;
    for (size_t start = 0; start + block <= audio.left.size(); start += block) {
        double energy = 0;
        for (size_t i = start; i < start + block; ++i) {
            const double mono = 0.5 * (audio.left[i] + audio.right[i]);
            energy += mono * mono;
        }
        energies.push_back(energy / static_cast<double>(block));
    }
    if (energies.empty()) return 0;
    const double loudest = *std::max_element(energies.begin(), energies.end());
    const double threshold = loudest * kSoundingBelowLoudest * kSoundingBelowLoudest;
    double sum = 0;
    int sounding = 0;
    for (const double energy : energies) {
        if (energy < threshold) continue;
        sum += energy;
        ++sounding;
    }
    return sounding == 0 ? 0 : std::sqrt(sum / sounding);
}

void AddRoomNoise(TakeAudio& audio, double decibelsBelow, std::uint64_t seed) {
    PinkNoise pink(seed);
    std::vector<double> noise(audio.left.size());
    double energy = 0;
    for (double& sample : noise) {
        sample = pink.Next();
        energy += sample * sample;
    }
    if (noise.empty() || energy == 0) return;
    const double wanted = PlayingLevel(audio) * std::pow(10.0, -decibelsBelow / 20.0);
    const double gain = wanted / std::sqrt(energy / static_cast<double>(noise.size()));
    for (size_t i = 0; i < noise.size(); ++i) {
        audio.left[i] += static_cast<float>(gain * noise[i]);
        audio.right[i] += static_cast<float>(gain * noise[i]);
    }
}

bool WriteTake(const std::string& path, const TakeAudio& audio, std::string& failure) {
    WaveFileWriter wave;
    if (!wave.Open(path, audio.sampleRate) || !wave.Append(audio.left, audio.right) ||
        !wave.Finish()) {
        failure = wave.Error();
        return false;
    }
    return true;
}

}  // namespace fretlux::takes
