// SPDX-License-Identifier: MIT
// Measures of rendered sound for the synthesiser tests.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

namespace fretlux::testing {

// A synthesiser with nothing to play still puts out a faint hiss of about 1e-8 (its reverb
// keeps its filters away from denormal numbers); a note at velocity 100 is above 0.009 with
// either soundfont at FluidSynth's default gain.
inline constexpr double kSilence = 1e-6;
inline constexpr double kAudible = 0.003;

inline double Rms(const std::vector<float>& samples, size_t first = 0) {
    double sum = 0;
    for (size_t i = first; i < samples.size(); ++i) sum += double(samples[i]) * samples[i];
    return samples.size() > first ? std::sqrt(sum / double(samples.size() - first)) : 0.0;
}

// The fundamental frequency of a steady tone, from the lag at which the signal best matches
// itself. Lags from 40 Hz up to 1000 Hz are searched; a lag that matches nearly as well as the
// best one but is shorter wins, so that the tone's octave is not taken for its pitch.
inline double FundamentalFrequency(const std::vector<float>& samples, double sampleRate) {
    const size_t shortest = static_cast<size_t>(sampleRate / 1000);
    const size_t longest = static_cast<size_t>(sampleRate / 40);
    if (samples.size() < 2 * longest) return 0;
    const size_t span = samples.size() - longest;
    std::vector<double> match(longest + 1, 0.0);
    double best = 0;
    for (size_t lag = shortest; lag <= longest; ++lag) {
        double product = 0;
        double energy = 0;
        for (size_t i = 0; i < span; ++i) {
            product += double(samples[i]) * samples[i + lag];
            energy += double(samples[i + lag]) * samples[i + lag];
        }
        match[lag] = energy > 0 ? product / energy : 0;
        if (match[lag] > best) best = match[lag];
    }
    for (size_t lag = shortest + 1; lag < longest; ++lag) {
        const bool peak = match[lag] >= match[lag - 1] && match[lag] >= match[lag + 1];
        if (peak && match[lag] >= 0.9 * best) return sampleRate / double(lag);
    }
    return 0;
}

}  // namespace fretlux::testing
