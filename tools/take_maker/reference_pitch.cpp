// SPDX-License-Identifier: MIT
#include "reference_pitch.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace fretlux::takes {

namespace {

constexpr double kSearchCents = 60;
constexpr double kFinestCents = 0.01;

class WindowedStretch {
public:
    WindowedStretch(const TakeAudio& audio, std::int64_t fromMs, std::int64_t toMs)
        : rate_(audio.sampleRate) {
        const auto frame = [&audio](std::int64_t ms) {
            return std::clamp<size_t>(static_cast<size_t>(ms * audio.sampleRate / 1000), 0,
                                      audio.left.size());
        };
        const size_t from = frame(fromMs);
        const size_t to = frame(toMs);
        for (size_t i = from; i < to; ++i) {
            const double hann =
                0.5 - 0.5 * std::cos(2 * M_PI * double(i - from) / double(to - from));
            samples_.push_back(hann * 0.5 * (audio.left[i] + audio.right[i]));
        }
    }

    // The energy of the stretch at frequency.
    double Energy(double frequency) const {
        const std::complex<double> step = std::polar(1.0, -2 * M_PI * frequency / rate_);
        std::complex<double> turn = 1.0;
        std::complex<double> sum = 0.0;
        for (const double sample : samples_) {
            sum += sample * turn;
            turn *= step;
        }
        return std::norm(sum);
    }

private:
    double rate_;
    std::vector<double> samples_;
};

}  // namespace

double NoteFrequency(int midi, double cents) {
    return 440.0 * std::pow(2.0, (midi - 69 + cents / 100.0) / 12.0);
}

double ReferenceCents(const TakeAudio& audio, std::int64_t fromMs, std::int64_t toMs, int midi) {
    const WindowedStretch stretch(audio, fromMs, toMs);
    double best = -kSearchCents;
    double bestEnergy = -1;
    for (double cents = -kSearchCents; cents <= kSearchCents; cents += 1) {
        const double energy = stretch.Energy(NoteFrequency(midi, cents));
        if (energy > bestEnergy) {
            bestEnergy = energy;
            best = cents;
        }
    }
    // Golden-section search of the peak between the coarse neighbours.
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double low = best - 1;
    double high = best + 1;
    while (high - low > kFinestCents) {
        const double a = high - ratio * (high - low);
        const double b = low + ratio * (high - low);
        if (stretch.Energy(NoteFrequency(midi, a)) > stretch.Energy(NoteFrequency(midi, b))) {
            high = b;
        } else {
            low = a;
        }
    }
    return (low + high) / 2;
}

}  // namespace fretlux::takes
