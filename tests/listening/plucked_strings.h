// SPDX-License-Identifier: MIT
// Guitar-like takes made in the test: each pluck a sum of partials stretched as a real string
// stretches them, each decaying the faster the higher it is, after a burst of pluck noise; a
// string plucked again stops its earlier note. Room noise may be laid under it all, and the
// whole heard through a small speaker, which loses the lowest partials, or an overdriven
// amplifier.
#pragma once

#include <cmath>
#include <map>
#include <numbers>
#include <random>
#include <vector>

#include "listening/pitch_names.h"
#include "listening/wave_reader.h"

namespace fretlux::testing {

struct Pluck {
    double seconds = 0.0;
    int midi = 40;
    double cents = 0.0;  // the first partial's detuning
    int string = 0;      // a later pluck of the same string stops this one
    double amplitude = 0.25;
    double inharmonicity = 1e-4;
    double highestHertz = 8000.0;  // no partial above it sounds: a dull string
    double pickedAt = 0.18;        // where along the string it is plucked, a share of its length
    // A synthesiser's new voice for a note struck again: it may start in step with the string's
    // earlier vibration, and its partials may build up over some hundredths of a second.
    bool inStep = false;
    double swellSeconds = 0.0;
    // The pick's click, against the string's level; the flesh of a thumb makes none.
    double click = 0.15;
    // How far the partials above the first lie off the series through it, as in some sampled
    // strings, in cents.
    double upperCents = 0.0;
};

// The string of standard tuning (1 = high E, 6 = low E) whose open note lies nearest below note,
// where a student playing low on the neck would most likely play it.
inline int StringFor(int note) {
    constexpr int kOpenNotes[7] = {0, 64, 59, 55, 50, 45, 40};
    int string = 6;
    while (string > 1 && kOpenNotes[string - 1] <= note) --string;
    return string;
}

// A pluck with the flesh of the thumb: no click, and the note swells in over some hundredths of a
// second.
inline Pluck ThumbPluck(double seconds, int midi, int string, double amplitude = 0.25) {
    Pluck pluck{seconds, midi, 0.0, string, amplitude};
    pluck.click = 0.0;
    pluck.swellSeconds = 0.02;
    return pluck;
}

struct TakeShape {
    int sampleRate = 44100;
    double seconds = 2.0;
    double noiseDb = -200.0;  // white noise RMS, dB below full scale
    unsigned seed = 1;
    double speakerHertz = 0.0;  // partials below it fall off 24 dB an octave; 0 for none
};

// A small speaker's response: flat above speakerHertz, falling 24 dB an octave below it.
inline double SpeakerGain(double hertz, double speakerHertz) {
    if (speakerHertz <= 0.0) return 1.0;
    const double rise = std::pow(hertz / speakerHertz, 4.0);
    return rise / std::sqrt(1.0 + rise * rise);
}

inline MonoAudio PluckedTake(const std::vector<Pluck>& plucks, const TakeShape& shape) {
    const int rate = shape.sampleRate;
    MonoAudio audio{rate, std::vector<float>(static_cast<std::size_t>(shape.seconds * rate), 0.0f)};
    std::mt19937 random(shape.seed);
    std::normal_distribution<double> gauss(0.0, 1.0);
    struct Vibration {
        std::size_t start;
        std::vector<double> phases;  // of its partials
    };
    std::map<int, Vibration> latest;  // by string
    for (std::size_t p = 0; p < plucks.size(); ++p) {
        const Pluck& pluck = plucks[p];
        double stop = shape.seconds;
        for (std::size_t q = 0; q < plucks.size(); ++q) {
            if (plucks[q].string == pluck.string && plucks[q].seconds > pluck.seconds)
                stop = std::min(stop, plucks[q].seconds);
        }
        const double first = FrequencyOfNote(pluck.midi + pluck.cents / 100.0);
        const double b = pluck.inharmonicity;
        const auto start = static_cast<std::size_t>(pluck.seconds * rate);
        const auto end = std::min(audio.samples.size(), static_cast<std::size_t>(stop * rate));
        // Higher strings ring shorter.
        const double ring = 2.5 * std::pow(82.4 / first, 0.5);
        const auto earlier = latest.find(pluck.string);
        Vibration vibration{start, {}};
        for (int n = 1;; ++n) {
            const double offSeries = n > 1 ? std::exp2(pluck.upperCents / 1200.0) : 1.0;
            const double hertz = n * first * std::sqrt((1.0 + b * n * n) / (1.0 + b)) * offSeries;
            if (hertz > std::min(pluck.highestHertz, 0.45 * rate)) break;
            const double level = pluck.amplitude *
                                 std::fabs(std::sin(n * std::numbers::pi * pluck.pickedAt)) / n *
                                 SpeakerGain(hertz, shape.speakerHertz);
            const double decay = 1.0 / (ring / (1.0 + 0.4 * (n - 1)));
            double phase = 2.0 * std::numbers::pi * gauss(random);
            if (pluck.inStep && earlier != latest.end() &&
                earlier->second.phases.size() >= static_cast<std::size_t>(n)) {
                const double since = static_cast<double>(start - earlier->second.start) / rate;
                phase = earlier->second.phases[n - 1] + 2.0 * std::numbers::pi * hertz * since;
            }
            vibration.phases.push_back(phase);
            for (std::size_t i = start; i < end; ++i) {
                const double t = static_cast<double>(i - start) / rate;
                const double fadeIn = std::min(1.0, t / 0.002);
                const double fadeOut = std::min(1.0, static_cast<double>(end - i) / (0.01 * rate));
                const double swell =
                    pluck.swellSeconds > 0.0 ? 1.0 - 0.7 * std::exp(-t / pluck.swellSeconds) : 1.0;
                audio.samples[i] +=
                    static_cast<float>(level * fadeIn * swell * fadeOut * std::exp(-decay * t) *
                                       std::sin(2.0 * std::numbers::pi * hertz * t + phase));
            }
        }
        latest[pluck.string] = std::move(vibration);
        // The pick's click: a few milliseconds of decaying noise.
        for (std::size_t i = start;
             i < std::min(end, start + static_cast<std::size_t>(0.005 * rate)); ++i) {
            const double t = static_cast<double>(i - start) / rate;
            audio.samples[i] += static_cast<float>(pluck.click * pluck.amplitude * gauss(random) *
                                                   std::exp(-t / 0.0015));
        }
    }
    const double noise = std::pow(10.0, shape.noiseDb / 20.0);
    for (float& s : audio.samples) s += static_cast<float>(noise * gauss(random));
    return audio;
}

// An amplifier driven hard: every note comes out at much the same level, and the spectrum between
// the partials fills with their sums and differences.
inline void Overdrive(MonoAudio& take, double drive) {
    for (float& sample : take.samples) {
        sample = static_cast<float>(0.3 * std::tanh(drive * sample) / std::tanh(drive * 0.25));
    }
}

}  // namespace fretlux::testing
