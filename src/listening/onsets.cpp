// SPDX-License-Identifier: MIT
#include "listening/onsets.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "listening/wave_reader.h"

namespace fretlux {

namespace {

// About 5.8 ms at 44.1 kHz: fine enough for timing, as the onset is placed within a hop.
int HopSizeFor(int sampleRate) {
    int hop = 64;
    while (hop * 2 <= sampleRate / 150) hop *= 2;
    return hop;
}

constexpr double kCutOffHertz = 1500.0;
// The strings of a strummed chord come a few milliseconds apart; they are one onset.
constexpr smpl_t kShortestGapMs = 50.0f;
// The flux of the filtered sound rises less over noise than the click does in a quiet room, so
// its threshold is lower.
constexpr smpl_t kClickThreshold = 0.3f;
constexpr smpl_t kFluxThreshold = 0.15f;
// A keen detector's thresholds are this share of the ordinary ones.
constexpr smpl_t kKeenThresholds = 0.5f;
// The filtered sound grew louder at a flux onset when it holds this much more energy over the
// hops after it than over as many before: spans of some 20 ms, longer than a low string's period,
// whose waveform alone makes shorter spans louder and quieter.
constexpr int kEnergySpanHops = 4;
constexpr double kEnergyRise = 0.9;
// Faint noise (about -77 dB full scale) under the filtered sound: without it, bins that hold
// only the last traces of a fading note rise and fall by chance and the flux finds onsets there.
constexpr float kDitherAmplitude = 5e-4f;

// One second-order section of a low-pass filter (the audio cookbook's biquad).
struct Biquad {
    Biquad(double cutOff, double sampleRate, double q) {
        const double w = 2.0 * std::numbers::pi * cutOff / sampleRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        b0 = b2 = (1.0 - std::cos(w)) / 2.0 / a0;
        b1 = (1.0 - std::cos(w)) / a0;
        a1 = -2.0 * std::cos(w) / a0;
        a2 = (1.0 - alpha) / a0;
    }
    double operator()(double x) {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
    double b0, b1, b2, a1, a2;
    double z1 = 0.0, z2 = 0.0;
};

}  // namespace

// A fourth-order Butterworth low-pass: two sections with the Butterworth quality factors.
struct OnsetDetector::LowPass {
    explicit LowPass(int sampleRate)
        : sections{Biquad(kCutOffHertz, sampleRate, 0.5412),
                   Biquad(kCutOffHertz, sampleRate, 1.3066)} {}
    float operator()(float x) {
        // A linear congruential generator: the same dither on every run.
        seed = seed * 1664525u + 1013904223u;
        const float dither =
            kDitherAmplitude * (static_cast<float>(seed >> 8) / 16777216.0f - 0.5f);
        return static_cast<float>(sections[1](sections[0](x))) + dither;
    }
    std::array<Biquad, 2> sections;
    std::uint32_t seed = 1;
};

struct OnsetDetector::Aubio {
    Aubio(const char* method, smpl_t threshold, int sampleRate, int hop)
        : onset(new_aubio_onset(method, static_cast<uint_t>(hop * 4), static_cast<uint_t>(hop),
                                static_cast<uint_t>(sampleRate))),
          input(new_fvec(static_cast<uint_t>(hop))),
          found(new_fvec(1)) {
        aubio_onset_set_minioi_ms(onset, kShortestGapMs);
        aubio_onset_set_threshold(onset, threshold);
        aubio_onset_set_silence(onset, static_cast<smpl_t>(kOnsetSilenceDb));
    }
    std::optional<std::int64_t> Find() {
        aubio_onset_do(onset, input, found);
        if (found->data[0] == 0.0f) return std::nullopt;
        return static_cast<std::int64_t>(aubio_onset_get_last(onset));
    }
    ~Aubio() {
        del_fvec(found);
        del_fvec(input);
        del_aubio_onset(onset);
    }
    aubio_onset_t* onset;
    fvec_t* input;
    fvec_t* found;
};

OnsetDetector::OnsetDetector(int sampleRate, OnsetKeenness keenness)
    : sampleRate_(sampleRate),
      keenness_(keenness),
      hopSize_(HopSizeFor(sampleRate)),
      lowPass_(std::make_unique<LowPass>(sampleRate)) {
    const smpl_t scale = keenness == OnsetKeenness::Keen ? kKeenThresholds : 1.0f;
    clicks_ = std::make_unique<Aubio>("hfc", kClickThreshold * scale, sampleRate, hopSize_);
    partials_ = std::make_unique<Aubio>("specflux", kFluxThreshold * scale, sampleRate, hopSize_);
}

OnsetDetector::~OnsetDetector() = default;

std::optional<Onset> OnsetDetector::Feed(std::span<const float> hop) {
    const std::size_t count = std::min<std::size_t>(hop.size(), hopSize_);
    fvec_zeros(clicks_->input);
    fvec_zeros(partials_->input);
    double energy = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        clicks_->input->data[i] = hop[i];
        partials_->input->data[i] = (*lowPass_)(hop[i]);
        energy += double(partials_->input->data[i]) * partials_->input->data[i];
    }
    hopEnergies_[static_cast<std::size_t>(hopsFed_ % kEnergyHistory)] = energy;
    ++hopsFed_;
    const std::optional<std::int64_t> click = clicks_->Find();
    std::optional<std::int64_t> rise = partials_->Find();
    // The flux also finds the slow swells of a fading chord; a pluck makes the sound louder. A
    // keen ear that heard no click keeps such a rise too, for a strum through an overdriven
    // amplifier makes the sound no louder either.
    const bool riseLouder = rise && LouderFrom(*rise / hopSize_);
    if (!riseLouder && (click || keenness_ == OnsetKeenness::Ordinary)) rise.reset();
    const bool louder = click || riseLouder;
    std::optional<std::int64_t> onset = click ? click : rise;
    if (click && rise) onset = std::min(*click, *rise);
    // Both detectors hear most plucks; the second report of one is dropped, unless only it made
    // the sound louder.
    const auto gap = static_cast<std::int64_t>(kShortestGapMs / 1000.0f * sampleRate_);
    if (!onset) return std::nullopt;
    if (lastOnset_ && (*onset <= lastOnset_->sample ||
                       (*onset < lastOnset_->sample + gap && (lastOnset_->louder || !louder)))) {
        return std::nullopt;
    }
    lastOnset_ = Onset{*onset, louder};
    return lastOnset_;
}

bool OnsetDetector::LouderFrom(std::int64_t hop) const {
    const std::int64_t span = kEnergySpanHops;
    const std::int64_t first = std::max<std::int64_t>(hop - span, hopsFed_ - kEnergyHistory);
    const std::int64_t last = std::min(hop + span, hopsFed_);
    double before = 0.0, after = 0.0;
    for (std::int64_t h = first; h < last; ++h) {
        (h < hop ? before : after) += hopEnergies_[static_cast<std::size_t>(h % kEnergyHistory)];
    }
    // Spans of unequal length are compared per hop.
    return after * static_cast<double>(std::max<std::int64_t>(1, hop - first)) >=
           kEnergyRise * before * static_cast<double>(std::max<std::int64_t>(1, last - hop));
}

std::vector<Onset> DetectOnsets(const MonoAudio& audio, OnsetKeenness keenness) {
    OnsetDetector detector(audio.sampleRate, keenness);
    std::vector<Onset> onsets;
    const std::span<const float> samples(audio.samples);
    for (std::size_t at = 0; at < samples.size(); at += detector.HopSize()) {
        const auto hop =
            samples.subspan(at, std::min<std::size_t>(detector.HopSize(), samples.size() - at));
        if (const auto onset = detector.Feed(hop)) onsets.push_back(*onset);
    }
    return onsets;
}

}  // namespace fretlux
