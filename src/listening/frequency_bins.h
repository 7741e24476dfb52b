// SPDX-License-Identifier: MIT
// The magnitude spectrum of a stretch of sound, Hann-windowed and zero-padded, scaled so that a
// sine of amplitude a shows a peak of height a; peaks are found between bins by fitting a
// parabola to the logarithms of three magnitudes.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace fretlux {

struct SpectralPeak {
    double hertz = 0.0;
    double magnitude = 0.0;
};

class Spectrum {
public:
    Spectrum(double binHertz, std::vector<float> magnitudes)
        : binHertz_(binHertz), magnitudes_(std::move(magnitudes)) {}

    // The highest local maximum within cents of hertz, if there is one.
    std::optional<SpectralPeak> PeakNear(double hertz, double cents) const;
    // The largest magnitude within cents of hertz, maximum or not.
    double LargestNear(double hertz, double cents) const;
    // Per bin the larger of this spectrum and other, made by the same SpectrumMaker.
    Spectrum LouderOf(const Spectrum& other) const;
    // The median magnitude up to highHertz: the noise floor, where peaks are few.
    double MedianMagnitude(double highHertz) const;
    // Every local maximum between the two frequencies at least floor high.
    std::vector<SpectralPeak> Peaks(double lowHertz, double highHertz, double floor) const;

private:
    std::pair<std::size_t, std::size_t> BinsWithin(double hertz, double cents) const;
    SpectralPeak Interpolated(std::size_t bin) const;
    bool IsLocalMaximum(std::size_t bin) const;

    double binHertz_;
    std::vector<float> magnitudes_;
};

// Makes spectra of one transform size; the transform's plan is made once.
class SpectrumMaker {
public:
    // fftSize is a power of two, at least twice the longest stretch it will be given.
    SpectrumMaker(int sampleRate, int fftSize);
    ~SpectrumMaker();
    SpectrumMaker(const SpectrumMaker&) = delete;
    SpectrumMaker& operator=(const SpectrumMaker&) = delete;

    Spectrum Make(std::span<const float> samples);

private:
    struct Transform;
    int sampleRate_;
    int fftSize_;
    std::unique_ptr<Transform> transform_;
};

// The transform size SpectrumMaker wants for stretches of up to length samples.
int FftSizeFor(std::size_t length);

}  // namespace fretlux
