// SPDX-License-Identifier: MIT
// Where notes begin: two of aubio's onset detectors, each catching what the other misses. The
// high-frequency content finds a pluck's click sharply, in quiet rooms; spectral flux of the
// sound below 1,500 Hz, where a guitar's strongest partials lie, still finds it where white room
// noise drowns the click. A strummed chord, its strings a few milliseconds apart, is one onset.
// They hear hops of the same length at any rate, and at 88.2 kHz and above every second (or
// fourth, ...) sample, as at 44.1 or 48 kHz.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace fretlux {

struct MonoAudio;

// Below this level (dB full scale) nothing begins.
inline constexpr double kOnsetSilenceDb = -55.0;

// Where an onset is, a sample index counted from the first sample fed, and whether the sound grew
// louder there. A keen ear also reports partials that changed while the sound held its level, as
// an overdriven amplifier holds it through a strum.
struct Onset {
    std::int64_t sample = 0;
    bool louder = true;
};

// How readily an onset is reported: Ordinary for listening blind; Keen where a note is expected
// near by and its absence is itself news, so that a soft pluck in a noisy room is not lost.
enum class OnsetKeenness { Ordinary, Keen };

class OnsetDetector {
public:
    explicit OnsetDetector(int sampleRate, OnsetKeenness keenness = OnsetKeenness::Ordinary);
    ~OnsetDetector();
    OnsetDetector(const OnsetDetector&) = delete;
    OnsetDetector& operator=(const OnsetDetector&) = delete;

    // The number of samples Feed takes at a time.
    int HopSize() const { return hopSize_; }
    // Takes the next HopSize() samples; an onset found in them.
    std::optional<Onset> Feed(std::span<const float> hop);

private:
    // Whether the filtered sound is louder from hop on than just before it.
    bool LouderFrom(std::int64_t hop) const;
    float NextDither();

    struct LowPass;
    struct Aubio;
    int sampleRate_;
    OnsetKeenness keenness_;
    int decimation_;  // the detectors hear every decimation_-th sample
    int hopSize_;
    std::unique_ptr<LowPass> lowPass_;
    std::unique_ptr<LowPass> antiAlias_;  // before decimation, where there is any
    std::uint32_t ditherSeed_ = 1;
    std::unique_ptr<Aubio> clicks_;
    std::unique_ptr<Aubio> partials_;
    std::optional<Onset> lastOnset_;
    // The filtered sound's energy in the latest hops, hop h at h % kEnergyHistory: aubio reports
    // an onset some hops after it happened.
    static constexpr int kEnergyHistory = 32;
    std::array<double, kEnergyHistory> hopEnergies_{};
    std::int64_t hopsFed_ = 0;
};

// Every onset in the audio, ascending.
std::vector<Onset> DetectOnsets(const MonoAudio& audio,
                                OnsetKeenness keenness = OnsetKeenness::Ordinary);

}  // namespace fretlux
