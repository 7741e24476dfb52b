// SPDX-License-Identifier: MIT
#include "listening/frequency_bins.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace fretlux {

// The bins from one below to one above the band, so that a maximum at its edge is seen as one.
std::pair<std::size_t, std::size_t> Spectrum::BinsWithin(double hertz, double cents) const {
    const double low = hertz * std::exp2(-cents / 1200.0) / binHertz_;
    const double high = hertz * std::exp2(cents / 1200.0) / binHertz_;
    const auto last = static_cast<double>(magnitudes_.size() - 2);
    return {static_cast<std::size_t>(std::clamp(std::floor(low), 1.0, last)),
            static_cast<std::size_t>(std::clamp(std::ceil(high), 1.0, last))};
}

bool Spectrum::IsLocalMaximum(std::size_t bin) const {
    return bin > 0 && bin + 1 < magnitudes_.size() && magnitudes_[bin] >= magnitudes_[bin - 1] &&
           magnitudes_[bin] > magnitudes_[bin + 1];
}

SpectralPeak Spectrum::Interpolated(std::size_t bin) const {
    // A Hann window's main lobe is close to a Gaussian, whose logarithm is a parabola.
    const double floor = 1e-12;
    const double left = std::log(std::max<double>(magnitudes_[bin - 1], floor));
    const double middle = std::log(std::max<double>(magnitudes_[bin], floor));
    const double right = std::log(std::max<double>(magnitudes_[bin + 1], floor));
    const double curvature = left - 2.0 * middle + right;
    const double shift = curvature < 0.0 ? 0.5 * (left - right) / curvature : 0.0;
    const double height = middle - 0.25 * (left - right) * shift;
    return {(static_cast<double>(bin) + shift) * binHertz_, std::exp(height)};
}

std::optional<SpectralPeak> Spectrum::PeakNear(double hertz, double cents) const {
    const auto [low, high] = BinsWithin(hertz, cents);
    std::optional<SpectralPeak> best;
    for (std::size_t bin = low; bin <= high; ++bin) {
        if (!IsLocalMaximum(bin)) continue;
        const SpectralPeak peak = Interpolated(bin);
        if (std::fabs(1200.0 * std::log2(peak.hertz / hertz)) > cents) continue;
        if (!best || peak.magnitude > best->magnitude) best = peak;
    }
    return best;
}

double Spectrum::LargestNear(double hertz, double cents) const {
    const auto [low, high] = BinsWithin(hertz, cents);
    double largest = 0.0;
    for (std::size_t bin = low; bin <= high; ++bin) {
        largest = std::max<double>(largest, magnitudes_[bin]);
    }
    return largest;
}

Spectrum Spectrum::LouderOf(const Spectrum& other) const {
    std::vector<float> louder(magnitudes_);
    for (std::size_t bin = 0; bin < louder.size() && bin < other.magnitudes_.size(); ++bin) {
        louder[bin] = std::max(louder[bin], other.magnitudes_[bin]);
    }
    return Spectrum(binHertz_, std::move(louder));
}

double Spectrum::MedianMagnitude(double highHertz) const {
    const auto end = std::min(magnitudes_.size(), static_cast<std::size_t>(highHertz / binHertz_));
    std::vector<float> magnitudes(magnitudes_.begin(),
                                  magnitudes_.begin() + static_cast<std::ptrdiff_t>(end));
    if (magnitudes.empty()) return 0.0;
    std::nth_element(magnitudes.begin(), magnitudes.begin() + magnitudes.size() / 2,
                     magnitudes.end());
    return magnitudes[magnitudes.size() / 2];
}

std::vector<SpectralPeak> Spectrum::Peaks(double lowHertz, double highHertz, double floor) const {
    std::vector<SpectralPeak> peaks;
    const auto low = std::max<std::size_t>(1, static_cast<std::size_t>(lowHertz / binHertz_));
    const auto high =
        std::min(magnitudes_.size() - 2, static_cast<std::size_t>(highHertz / binHertz_));
    for (std::size_t bin = low; bin <= high; ++bin) {
        if (magnitudes_[bin] >= floor && IsLocalMaximum(bin)) peaks.push_back(Interpolated(bin));
    }
    return peaks;
}

// Only the magnitudes are wanted: the transform's complex output is turned into norms alone, as
// the phase of every bin would cost an arctangent each.
struct SpectrumMaker::Transform {
    explicit Transform(int size)
        : fft(new_aubio_fft(size)),
          input(new_fvec(size)),
          complex(new_fvec(size)),
          output(new_cvec(size)) {}
    ~Transform() {
        del_cvec(output);
        del_fvec(complex);
        del_fvec(input);
        del_aubio_fft(fft);
    }
    aubio_fft_t* fft;
    fvec_t* input;
    fvec_t* complex;
    cvec_t* output;
};

SpectrumMaker::SpectrumMaker(int sampleRate, int fftSize)
    : sampleRate_(sampleRate),
      fftSize_(fftSize),
      transform_(std::make_unique<Transform>(fftSize)) {}

SpectrumMaker::~SpectrumMaker() = default;

Spectrum SpectrumMaker::Make(std::span<const float> samples) {
    const std::size_t length = std::min<std::size_t>(samples.size(), fftSize_);
    fvec_zeros(transform_->input);
    double windowSum = 0.0;
    // The window's cosine turns by a fixed angle from sample to sample, so it is carried on by one
    // complex product rather than computed afresh.
    std::complex<double> cosine = std::polar(1.0, std::numbers::pi / static_cast<double>(length));
    const std::complex<double> turn =
        std::polar(1.0, 2.0 * std::numbers::pi / static_cast<double>(length));
    for (std::size_t i = 0; i < length; ++i) {
        const double window = 0.5 - 0.5 * cosine.real();
        transform_->input->data[i] = static_cast<smpl_t>(samples[i] * window);
        windowSum += window;
        cosine *= turn;
    }
    aubio_fft_do_complex(transform_->fft, transform_->input, transform_->complex);
    aubio_fft_get_norm(transform_->complex, transform_->output);
    const double scale = windowSum > 0.0 ? 2.0 / windowSum : 0.0;
    std::vector<float> magnitudes(transform_->output->length);
    for (std::size_t bin = 0; bin < magnitudes.size(); ++bin) {
        magnitudes[bin] = static_cast<float>(transform_->output->norm[bin] * scale);
    }
    return Spectrum(static_cast<double>(sampleRate_) / fftSize_, std::move(magnitudes));
}

int FftSizeFor(std::size_t length) {
    int size = 2;
    while (static_cast<std::size_t>(size) < 2 * length) size *= 2;
    return size;
}

}  // namespace fretlux
