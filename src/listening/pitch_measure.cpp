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
// A first partial this strong against the strongest partial, and this far above the noise (the
// median magnitude), is measured on its own.
constexpr double kFirstPartialShare = 0.05;
constexpr double kClearOfNoise = 30.0;
// A first partial is the new note's alone when this share of its amplitude rose at the onset;
// else a string still ringing has a partial at the same place, which would pull it.
constexpr double kNewShare = 0.97;

// A peak of the note's spectrum, weighted by its amplitude, or by what its amplitude gained
// over the sound before the onset.
struct WeightedPeak {
    double hertz;
    double weight;
};

// Peaks fainter than this share of the loudest are too faint to count for or against a note.
constexpr double kFaintestEvidence = 0.03;
constexpr double kNoiseFloorAboveMedian = 8.0;
// A note's series is judged by how many of its first partials are found.
constexpr int kCountedPartials = 8;
// Below this share of the peaks' weight explained (by the score below), what sounds is noise or a
// jumble of notes, not one note.
constexpr double kLeastExplainedShare = 0.3;
// Which partial of the note the loudest peak may be.
constexpr int kHighestCandidatePartial = 16;
// A partial of the series is looked for this near where the one found below it puts it: closer
// than the partials are placed, so that a note far below does not gather another note's partials.
constexpr double kSeriesCents = 20.0;
// A note began where the peaks just after its onset gained at least this share of their strength
// over the sound before: a string ringing on only fades, and room noise only wavers.
constexpr double kBeganShare = 0.3;
// What the peaks gained over the sound before tells the note unless it is this small a share of
// what they sound.
constexpr double kLeastNewShare = 0.1;

// What the peak's amplitude gained over the sound before; all of it when there is none.
double GainedAmplitude(const SpectralPeak& peak, const Spectrum* before) {
    if (!before) return peak.magnitude;
    const double earlier = before->LargestNear(peak.hertz, kPartialCents / 2);
    return std::sqrt(std::max(0.0, peak.magnitude * peak.magnitude - earlier * earlier));
}

// The peaks of the spectrum that stand out of its noise and the note's faintest partials.
std::vector<SpectralPeak> ClearPeaks(const Spectrum& spectrum, double highest) {
    double loudest = 0.0;
    for (const SpectralPeak& peak : spectrum.Peaks(kLowestPitchHertz * 0.9, highest, 0.0)) {
        loudest = std::max(loudest, peak.magnitude);
    }
    const double floor = std::max({1e-6, kFaintestEvidence * loudest,
                                   kNoiseFloorAboveMedian * spectrum.MedianMagnitude(highest)});
    return spectrum.Peaks(kLowestPitchHertz * 0.9, highest, floor);
}

// The share of the peaks' strength that they gained over before.
double GainedShare(const std::vector<SpectralPeak>& peaks, const Spectrum& before) {
    double sounding = 0.0;
    double gained = 0.0;
    for (const SpectralPeak& peak : peaks) {
        sounding += peak.magnitude;
        gained += GainedAmplitude(peak, &before);
    }
    return sounding > 0.0 ? gained / sounding : 0.0;
}

// The peaks weighted by what they gained over before, those that gained nothing left out.
std::vector<WeightedPeak> NotePeaks(const std::vector<SpectralPeak>& peaks,
                                    const Spectrum* before) {
    std::vector<WeightedPeak> weighted;
    for (const SpectralPeak& peak : peaks) {
        if (const double gained = GainedAmplitude(peak, before); gained > 0.0) {
            weighted.push_back({peak.hertz, gained});
        }
    }
    return weighted;
}

// How well the harmonic series on fundamental explains the peaks: the weight of the peaks it
// explains, times the share of its first partials found among them. Each partial is looked for
// where the one below put it, so that a stretched string's upper partials are found. A note an
// octave or more below the played one explains every peak too, but misses half of its partials;
// one an octave above misses the odd partials' weight, the first partial's included.
double SeriesScore(const std::vector<WeightedPeak>& peaks, double fundamental, double highest) {
    double explained = 0.0;
    int looked = 0;
    int found = 0;
    double guide = fundamental;
    auto unused = peaks.begin();
    for (int n = 1; n * guide <= highest; ++n) {
        if (n <= kCountedPartials) ++looked;
        const double low = n * guide * std::exp2(-kSeriesCents / 1200.0);
        const double high = n * guide * std::exp2(kSeriesCents / 1200.0);
        auto at = std::lower_bound(unused, peaks.end(), low,
                                   [](const WeightedPeak& p, double hz) { return p.hertz < hz; });
        auto best = peaks.end();
        for (; at != peaks.end() && at->hertz <= high; ++at) {
            if (best == peaks.end() || at->weight > best->weight) best = at;
        }
        if (best == peaks.end()) continue;
        if (n <= kCountedPartials) ++found;
        explained += best->weight;
        guide = best->hertz / n;
        unused = best + 1;
    }
    return looked ? explained * found / looked : 0.0;
}

// The fundamental of the note whose harmonic series best explains the peaks, between the lowest
// and the highest pitch, roughly. The loudest peak is one of its partials: where two notes sound,
// a note far below both could explain both series, but the one the tuner shows is the louder.
std::optional<double> NamedFundamental(const std::vector<WeightedPeak>& peaks, double highest) {
    if (peaks.empty()) return std::nullopt;
    const WeightedPeak loudest =
        *std::max_element(peaks.begin(), peaks.end(),
                          [](const auto& a, const auto& b) { return a.weight < b.weight; });
    std::optional<double> named;
    double bestScore = 0.0;
    for (int n = 1; n <= kHighestCandidatePartial; ++n) {
        const double fundamental = loudest.hertz / n;
        if (fundamental < kLowestPitchHertz * 0.97) break;
        if (fundamental > kHighestPitchHertz * 1.03) continue;
        const double score = SeriesScore(peaks, fundamental, highest);
        if (score > bestScore) {
            bestScore = score;
            named = fundamental;
        }
    }
    double total = 0.0;
    for (const WeightedPeak& peak : peaks) total += peak.weight;
    if (bestScore < kLeastExplainedShare * total) return std::nullopt;
    return named;
}

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

// Whether what sounded before at hertz was a note of that pitch ringing on, rather than an upper
// partial of a lower string: nothing sounded at the places of the notes of which hertz is the
// second, third or fourth partial.
bool RangAtItsOwnPitch(const Spectrum& before, double hertz, double noise) {
    const double there = before.LargestNear(hertz, kPartialCents);
    if (there < kClearOfNoise * noise) return false;
    for (int below = 2; below <= 4; ++below) {
        if (before.LargestNear(hertz / below, kPartialCents) >=
            std::max(kFaintestPartial * there, kClearOfNoise * noise)) {
            return false;
        }
    }
    return true;
}

// The first partial of the note whose fundamental lies within a third of a semitone of rough,
// placed by its partials; those of strings still ringing from before count less.
std::optional<double> PlacedFirstPartial(const Spectrum& spectrum, const Spectrum* before,
                                         double rough, double highest, double noise) {
    std::vector<PartialPlace> partials;
    double strongest = 0.0;
    bool firstIsClear = false;
    for (int n = 1; n <= kMostPartials && n * rough <= highest; ++n) {
        // Higher partials are looked for where the ones below put them, so a stretched string's
        // upper partials are still found inside the window.
        const double guide =
            partials.empty() ? rough : partials.back().hertz / partials.back().number;
        const auto peak = spectrum.PeakNear(n * guide, kPartialCents);
        if (!peak) continue;
        const double gained = GainedAmplitude(*peak, before);
        if (n == 1) {
            firstIsClear = peak->magnitude >= kClearOfNoise * noise &&
                           (gained >= kNewShare * peak->magnitude ||
                            (before && RangAtItsOwnPitch(*before, peak->hertz, noise)));
        }
        strongest = std::max(strongest, gained);
        partials.push_back({n, peak->hertz, gained});
    }
    std::erase_if(partials,
                  [&](const PartialPlace& p) { return p.weight < kFaintestPartial * strongest; });
    if (partials.empty()) return std::nullopt;
    // A strong first partial is the pitch itself. A recorded string's partials follow the
    // stretched series only roughly, a few cents apart, so the series placed through them would
    // put the first partial where it is not; the series serves where the first partial is faint,
    // or shares its place with a partial of a lower string still ringing.
    if (partials.front().number == 1 && firstIsClear &&
        partials.front().weight >= kFirstPartialShare * strongest) {
        const double pitch = partials.front().hertz;
        if (pitch < kLowestPitchHertz || pitch > kHighestPitchHertz) return std::nullopt;
        return pitch;
    }
    // A partial's place is known to about the same few hundredths of a hertz whatever its
    // number, so f_n / n is known n times better; louder partials are placed more surely.
    for (PartialPlace& p : partials) p.weight *= double(p.number) * p.number;
    const double pitch = FirstPartialFromFit(partials);
    if (pitch < kLowestPitchHertz || pitch > kHighestPitchHertz) return std::nullopt;
    return pitch;
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

bool NoteBegan(std::span<const float> after, std::span<const float> before, int sampleRate) {
    if (before.empty()) return true;
    SpectrumMaker maker(sampleRate, FftSizeFor(std::max(after.size(), before.size())));
    const double highest = std::min(kHighestPartialHertz, 0.45 * sampleRate);
    const Spectrum earlier = maker.Make(before);
    return GainedShare(ClearPeaks(maker.Make(after), highest), earlier) > kBeganShare;
}

std::optional<double> MeasurePitch(std::span<const float> samples, int sampleRate,
                                   std::span<const float> before) {
    SpectrumMaker maker(sampleRate, FftSizeFor(std::max(samples.size(), before.size())));
    const Spectrum spectrum = maker.Make(samples);
    const double highest = std::min(kHighestPartialHertz, 0.45 * sampleRate);
    const std::vector<SpectralPeak> peaks = ClearPeaks(spectrum, highest);
    const std::optional<Spectrum> earlier =
        before.empty() ? std::nullopt : std::optional(maker.Make(before));
    // When the partials gained little over the sound before (the same string plucked again while
    // it rang), what sounds is measured.
    const Spectrum* gainedOver =
        earlier && GainedShare(peaks, *earlier) >= kLeastNewShare ? &*earlier : nullptr;
    const auto named = NamedFundamental(NotePeaks(peaks, gainedOver), highest);
    if (!named) return std::nullopt;
    return PlacedFirstPartial(spectrum, gainedOver, *named, highest,
                              spectrum.MedianMagnitude(highest));
}

}  // namespace fretlux
