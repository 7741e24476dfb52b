// SPDX-License-Identifier: MIT
#include "listening/pitch_measure.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "listening/frequency_bins.h"

namespace fretlux {

namespace {

// Enough for two periods of the lowest pitch at any rate read.
int YinBufferSize(int sampleRate) {
    int size = 256;
    while (size < sampleRate * 2 / 50) size *= 2;
    return size;
}

constexpr smpl_t kConfidentYin = 0.8f;
constexpr int kMostPartials = 12;
constexpr double kHighestPartialHertz = 5000.0;
// A partial is looked for this close to its harmonic place: wide enough for a stretched string,
// well inside the semitone that would make it another note's.
constexpr double kPartialCents = 40.0;
// Partials fainter than this below the strongest are too noisy to place.
constexpr double kFaintestPartial = 0.01;

struct PartialPlace {
    int number;
    double hertz;
    double weight;
};

// Fits f_n / n = a + b n^2 (a string's stretching) by weighted least squares and gives the first
// partial, a + b; with too few partials to tell stretching from noise, b is taken as nought.
double FirstPartialFromFit(const std::vector<PartialPlace>& partials) {
    double sw = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const PartialPlace& p : partials) {
        const double x = double(p.number) * p.number;
        const double y = p.hertz / p.number;
        sw += p.weight;
        sx += p.weight * x;
        sy += p.weight * y;
        sxx += p.weight * x * x;
        sxy += p.weight * x * y;
    }
    const double mean = sy / sw;
    const double determinant = sw * sxx - sx * sx;
    if (partials.size() < 4 || determinant <= 1e-9 * sw * sxx) return mean;
    const double slope = (sw * sxy - sx * sy) / determinant;
    // A string only ever stretches its partials; a negative slope is noise.
    if (slope <= 0.0) return mean;
    const double intercept = (sy - slope * sx) / sw;
    return intercept + slope;
}

}  // namespace

std::optional<double> RoughPitch(std::span<const float> samples, int sampleRate) {
    const int bufferSize = YinBufferSize(sampleRate);
    const int hop = bufferSize / 4;
    if (samples.size() < static_cast<std::size_t>(bufferSize)) return std::nullopt;
    const auto pitch = std::unique_ptr<aubio_pitch_t, void (*)(aubio_pitch_t*)>(
        new_aubio_pitch("yinfast", bufferSize, hop, sampleRate), del_aubio_pitch);
    aubio_pitch_set_unit(pitch.get(), "Hz");
    aubio_pitch_set_silence(pitch.get(), -60.0f);
    const auto input = std::unique_ptr<fvec_t, void (*)(fvec_t*)>(new_fvec(hop), del_fvec);
    const auto output = std::unique_ptr<fvec_t, void (*)(fvec_t*)>(new_fvec(1), del_fvec);
    std::vector<double> estimates;
    for (std::size_t at = 0; at + hop <= samples.size(); at += hop) {
        std::copy_n(samples.begin() + at, hop, input->data);
        aubio_pitch_do(pitch.get(), input.get(), output.get());
        // The first frames see the buffer only partly filled.
        if (at + hop < static_cast<std::size_t>(bufferSize)) continue;
        const double hertz = output->data[0];
        if (aubio_pitch_get_confidence(pitch.get()) >= kConfidentYin &&
            hertz >= kLowestPitchHertz * 0.95 && hertz <= kHighestPitchHertz * 1.05) {
            estimates.push_back(hertz);
        }
    }
    if (estimates.empty()) return std::nullopt;
    std::nth_element(estimates.begin(), estimates.begin() + estimates.size() / 2, estimates.end());
    return estimates[estimates.size() / 2];
}

std::optional<double> MeasurePitch(std::span<const float> samples, int sampleRate) {
    const std::optional<double> rough = RoughPitch(samples, sampleRate);
    if (!rough) return std::nullopt;
    return RefinePitch(samples, sampleRate, *rough);
}

std::optional<double> RefinePitch(std::span<const float> samples, int sampleRate, double rough) {
    SpectrumMaker maker(sampleRate, FftSizeFor(samples.size()));
    const Spectrum spectrum = maker.Make(samples);
    std::vector<PartialPlace> partials;
    double strongest = 0.0;
    const double highest = std::min(kHighestPartialHertz, 0.45 * sampleRate);
    for (int n = 1; n <= kMostPartials && n * rough <= highest; ++n) {
        // Higher partials are looked for where the ones below put them, so a stretched string's
        // upper partials are still found inside the window.
        const double guide =
            partials.empty() ? rough : partials.back().hertz / partials.back().number;
        const auto peak = spectrum.PeakNear(n * guide, kPartialCents);
        if (!peak) continue;
        strongest = std::max(strongest, peak->magnitude);
        partials.push_back({n, peak->hertz, peak->magnitude});
    }
    std::erase_if(partials,
                  [&](const PartialPlace& p) { return p.weight < kFaintestPartial * strongest; });
    if (partials.empty()) return std::nullopt;
    // A partial's place is known to about the same few hundredths of a hertz whatever its
    // number, so f_n / n is known n times better; louder partials are placed more surely.
    for (PartialPlace& p : partials) p.weight *= double(p.number) * p.number;
    const double pitch = FirstPartialFromFit(partials);
    if (pitch < kLowestPitchHertz || pitch > kHighestPitchHertz) return std::nullopt;
    return pitch;
}

}  // namespace fretlux
