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

// The detectors' thresholds were set for hops of 256 samples at 44.1 kHz, about 5.8 ms, and a hop
// lasts as long at any other rate: at 48 kHz, hops of 256 samples made onsets now and then in a
// low string left to ring. Fine enough for timing, as the onset is placed within a hop.
constexpr double kHopSeconds = 256.0 / 44100.0;

int HopSizeFor(int sampleRate) { return static_cast<int>(std::lround(sampleRate * kHopSeconds)); }

// The detectors' thresholds follow their own output, a sum over every bin of the spectrum; at
// 88.2 kHz and above most bins hold only the dither and what lies beyond hearing, which raise the
// thresholds until soft plucks go unheard. There the detectors hear every second (fourth, ...)
// sample, filtered below half the rate they then hear at, which stays at least this.
constexpr int kLeastDetectorRate = 40000;
constexpr double kKeptBelowNyquist = 0.9;

int DecimationFor(int sampleRate) {
    int decimation = 1;
    while (sampleRate / (2 * decimation) >= kLeastDetectorRate) decimation *= 2;
    return decimation;
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
    LowPass(double cutOff, int sampleRate)
        : sections{Biquad(cutOff, sampleRate, 0.5412), Biquad(cutOff, sampleRate, 1.3066)} {}
    float operator()(float x) { return static_cast<float>(sections[1](sections[0](x))); }
    std::array<Biquad, 2> sections;
};

struct OnsetDetector::Aubio {
    // It hears every decimation-th sample of the input, which leaves sampleRate.
    Aubio(const char* method, smpl_t threshold, int sampleRate, int hop, int decimation)
        : decimation(decimation),
          onset(new_aubio_onset(method, static_cast<uint_t>(hop * 4), static_cast<uint_t>(hop),
                                static_cast<uint_t>(sampleRate))),
          input(new_fvec(static_cast<uint_t>(hop))),
          found(new_fvec(1)) {
        aubio_onset_set_minioi_ms(onset, kShortestGapMs);
        aubio_onset_set_threshold(onset, threshold);
        aubio_onset_set_silence(onset, static_cast<smpl_t>(kOnsetSilenceDb));
    }
    // The onset found in the latest input, in samples of the input before decimation.
    std::optional<std::int64_t> Find() {
        aubio_onset_do(onset, input, found);
        if (found->data[0] == 0.0f) return std::nullopt;
        return static_cast<std::int64_t>(aubio_onset_get_last(onset)) * decimation;
    }
    ~Aubio() {
        del_fvec(found);
        del_fvec(input);
        del_aubio_onset(onset);
    }
    int decimation;
    aubio_onset_t* onset;
    fvec_t* input;
    fvec_t* found;
};

OnsetDetector::OnsetDetector(int sampleRate, OnsetKeenness keenness)
    : sampleRate_(sampleRate),
      keenness_(keenness),
      decimation_(DecimationFor(sampleRate)),
      hopSize_(HopSizeFor(sampleRate / decimation_) * decimation_),
      lowPass_(std::make_unique<LowPass>(kCutOffHertz, sampleRate)) {
    const int detectorRate = sampleRate / decimation_;
    if (decimation_ > 1) {
        antiAlias_ = std::make_unique<LowPass>(kKeptBelowNyquist * detectorRate / 2, sampleRate);
    }
    const smpl_t scale = keenness == OnsetKeenness::Keen ? kKeenThresholds : 1.0f;
    const int detectorHop = hopSize_ / decimation_;
    clicks_ = std::make_unique<Aubio>("hfc", kClickThreshold * scale, detectorRate, detectorHop,
                                      decimation_);
    partials_ = std::make_unique<Aubio>("specflux", kFluxThreshold * scale, detectorRate,
                                        detectorHop, decimation_);
}

OnsetDetector::~OnsetDetector() = default;

std::optional<Onset> OnsetDetector::Feed(std::span<const float> hop) {
    const std::size_t count = std::min<std::size_t>(hop.size(), hopSize_);
    fvec_zeros(clicks_->input);
    fvec_zeros(partials_->input);
    double energy = 0.0;
    const auto every = static_cast<std::size_t>(decimation_);
    for (std::size_t i = 0; i < count; ++i) {
        const float low = (*lowPass_)(hop[i]);
        const float heard = antiAlias_ ? (*antiAlias_)(hop[i]) : hop[i];
        if (i % every != 0) continue;
        clicks_->input->data[i / every] = heard;
        const float flux = low + NextDither();
        partials_->input->data[i / every] = flux;
        energy += double(flux) * flux;
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

float OnsetDetector::NextDither() {
    // A linear congruential generator: the same dither on every run.
    ditherSeed_ = ditherSeed_ * 1664525u + 1013904223u;
    return kDitherAmplitude * (static_cast<float>(ditherSeed_ >> 8) / 16777216.0f - 0.5f);
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
