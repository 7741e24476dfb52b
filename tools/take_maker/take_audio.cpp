// SPDX-License-Identifier: MIT
#include "take_audio.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

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

}  // namespace

std::optional<TakeAudio> RenderEvents(const std::vector<TimedMidiMessage>& events,
                                      const std::string& soundfontPath, std::string& failure) {
    // A named soundfont is loaded as fretlux-cli loads FRETLUX_SOUNDFONT: samples on demand.
    const auto synth = SoundfontSynth::Create({soundfontPath, true}, failure);
    if (!synth) return std::nullopt;
    TakeAudio audio;
    audio.sampleRate = static_cast<int>(std::lround(synth->SampleRate()));
    const FrameSink sink = [&audio](std::span<const float> left, std::span<const float> right) {
        audio.left.insert(audio.left.end(), left.begin(), left.end());
        audio.right.insert(audio.right.end(), right.begin(), right.end());
        return true;
    };
    if (!RenderOffline(*synth, events, sink, nullptr, failure)) return std::nullopt;
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
