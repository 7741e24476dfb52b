// SPDX-License-Identifier: MIT
#include "listening/onset_look.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "listening/pitch_measure.h"
#include "listening/pitch_names.h"

namespace fretlux {

namespace {

// The spectrum before ends a little ahead of the first onset, as an onset is placed within a
// hop or two; the one after starts once a strummed chord's last string and the pluck's noise
// have passed.
constexpr double kGuardBeforeSeconds = 0.01;
constexpr double kSkipAfterSeconds = 0.025;
constexpr double kShortestSkipSeconds = 0.005;
constexpr double kLongestLookSeconds = 0.15;
constexpr double kShortestLookSeconds = 0.04;
constexpr double kShortestRingingSeconds = 0.06;
// Each of the two stretches through which a ringing partial is followed before the onsets.
constexpr double kFollowedSeconds = 0.04;
constexpr double kShortestFollowedSeconds = 0.015;
// A partial is the note's when it lies this near its harmonic place, and further above it by as
// much as a string's stretching may raise it. Stretching only raises a partial, so from the fifth
// up one lying much further below its place belongs to another note: a note a whole tone higher
// puts its seventh partial 31 cents below this note's eighth. Yet a string a student has not
// tuned lies flat by as much as a quarter of a semitone, partials and all; with the fifth and up
// held to 25 cents, a guitar 25 cents flat had one right chord in twelve judged wrong.
constexpr double kPartialCents = 40.0;
// A string stretches its n-th partial by n * n times a number of cents that grows with its
// stiffness, the square of its diameter over its sounding length. Up to G3 a note sounds from a
// wound string or from the open plain G, which stretch by less than 0.1 cents times n * n; a
// higher note may be stopped high up the plain G, which stiffens as the square of the pitch it
// sounds (its G4, at the twelfth fret, stretches four times as far). Allowing every note the
// stretch of the stiffest one let a low string's upper partials cover much of the spectrum above
// 2 kHz, where they took the partials of the chord's other notes for their own.
constexpr double kStretchCentsPerSquare = 0.1;
constexpr double kOpenPlainGHertz = 196.0;
constexpr int kFirstHighPartial = 5;
constexpr double kHighPartialFlatCents = 30.0;
// Peaks fainter than this below the loudest of the spectrum after, or less than this many times
// the median magnitude (the level of the room's noise), are noise. The room is the quieter of the
// spectra before and after the onsets: a strum through an overdriven amplifier, or a sample with
// its recording's hiss, fills the spectrum between its partials with its own sound, and its
// softer strings' partials barely stand out of that.
constexpr double kFloorBelowLoudest = 0.003;
constexpr double kFloorAboveMedian = 8.0;
// Half as far above the room, a chord's note's own partials stand out of an amplifier's filling
// sound: on the soundfonts' overdriven and distortion guitars, one right chord in fifteen more was
// heard whole, and of some 440 faulty chords on them, one more was taken for right.
constexpr double kOwnPartialsFloorAboveMedian = 4.0;
// A look after the onsets shorter than this is mostly the pluck's attack.
constexpr double kAttackFilledSeconds = 0.1;

struct CentsRange {
    double lowest;
    double highest;
};

// Where the n-th partial of a note may lie, in cents from n times its fundamental.
CentsRange PartialPlaces(double fundamental, int n) {
    const double stopped = fundamental / kOpenPlainGHertz;
    const double stiffness = std::max(1.0, stopped * stopped);
    return {n >= kFirstHighPartial ? -kHighPartialFlatCents : -kPartialCents,
            kPartialCents + kStretchCentsPerSquare * stiffness * n * n};
}

std::span<const float> Stretch(std::span<const float> samples, std::ptrdiff_t start,
                               std::size_t length) {
    const std::size_t from = static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, start));
    const std::size_t to = static_cast<std::size_t>(
        std::clamp<std::ptrdiff_t>(start + static_cast<std::ptrdiff_t>(length), 0,
                                   static_cast<std::ptrdiff_t>(samples.size())));
    return from < to ? samples.subspan(from, to - from) : std::span<const float>();
}

}  // namespace

// The spectra after and before the onsets; nothing when the take ends at them.
std::optional<Look> LookAt(std::span<const float> samples, int sampleRate,
                           const OnsetGroup& onsets) {
    const auto seconds = [sampleRate](double s) {
        return static_cast<std::ptrdiff_t>(s * sampleRate);
    };
    // The stretch after ends a little ahead of the next onset; where the samples end (the
    // take's end, or live, as far as the input has come) it ends with them. When that leaves
    // little room, less of the attack is skipped, so that the stretch keeps its shortest length.
    const bool nextOnset = onsets.until < samples.size();
    const std::ptrdiff_t room =
        static_cast<std::ptrdiff_t>(std::min(onsets.until, samples.size())) -
        static_cast<std::ptrdiff_t>(onsets.last) - (nextOnset ? seconds(kGuardBeforeSeconds) : 0);
    const std::ptrdiff_t skip =
        std::clamp(room - seconds(kShortestLookSeconds), seconds(kShortestSkipSeconds),
                   seconds(kSkipAfterSeconds));
    const std::ptrdiff_t afterStart = static_cast<std::ptrdiff_t>(onsets.last) + skip;
    const auto length = static_cast<std::size_t>(
        std::clamp(room - skip, seconds(kShortestLookSeconds), seconds(kLongestLookSeconds)));
    const std::span<const float> after = Stretch(samples, afterStart, length);
    if (after.empty()) return std::nullopt;
    // What was ringing is seen twice: over as long a stretch as the one after, ending just
    // ahead of the onset, which resolves close partials; and from the end of the previous
    // note's attack on, where that note sounds at full strength even when it began only just
    // before. Per frequency the louder counts.
    const std::ptrdiff_t beforeEnd =
        static_cast<std::ptrdiff_t>(onsets.first) - seconds(kGuardBeforeSeconds);
    const std::ptrdiff_t sinceAttack =
        std::min(beforeEnd - seconds(kShortestRingingSeconds),
                 static_cast<std::ptrdiff_t>(onsets.since) + seconds(kSkipAfterSeconds));
    const auto stretchBefore = [&](std::ptrdiff_t start) {
        return Stretch(samples, start,
                       static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, beforeEnd - start)));
    };
    SpectrumMaker maker(sampleRate, FftSizeFor(length));
    const Spectrum longBefore =
        maker.Make(stretchBefore(beforeEnd - static_cast<std::ptrdiff_t>(length)));
    const Spectrum sinceBefore = maker.Make(
        stretchBefore(std::max(sinceAttack, beforeEnd - static_cast<std::ptrdiff_t>(length))));
    Look look{.before = longBefore.LouderOf(sinceBefore),
              .after = maker.Make(after),
              .floor = 0.0,
              .afterSamples = after,
              .afterStart = afterStart,
              .sampleRate = sampleRate};
    const std::ptrdiff_t followed = std::min(
        seconds(kFollowedSeconds),
        (beforeEnd - static_cast<std::ptrdiff_t>(onsets.since) - seconds(kSkipAfterSeconds)) / 2);
    if (followed >= seconds(kShortestFollowedSeconds)) {
        look.laterStart = beforeEnd - followed;
        look.earlierStart = beforeEnd - 2 * followed;
        look.later = Stretch(samples, look.laterStart, static_cast<std::size_t>(followed));
        look.earlier = Stretch(samples, look.earlierStart, static_cast<std::size_t>(followed));
    }
    double loudest = 0.0;
    for (const SpectralPeak& peak : look.after.Peaks(kLowestPitchHertz * 0.9, kHighestHertz, 0.0)) {
        loudest = std::max(loudest, peak.magnitude);
    }
    // At the take's start there may be no room heard before the onsets to measure.
    const double afterMedian = look.after.MedianMagnitude(kHighestHertz);
    const double roomNoise = beforeEnd >= static_cast<std::ptrdiff_t>(length)
                                 ? std::min(afterMedian, longBefore.MedianMagnitude(kHighestHertz))
                                 : afterMedian;
    const auto floorAboveRoom = [&](double times) {
        return std::max({1e-5, kFloorBelowLoudest * loudest, times * roomNoise});
    };
    look.floor = floorAboveRoom(kFloorAboveMedian);
    look.ownPartialsFloor = floorAboveRoom(kOwnPartialsFloorAboveMedian);
    look.otherNotesFloor = static_cast<std::ptrdiff_t>(length) < seconds(kAttackFilledSeconds)
                               ? std::max(look.floor, kFloorAboveMedian * afterMedian)
                               : look.floor;
    for (const SpectralPeak& peak :
         look.after.Peaks(kLowestPitchHertz * 0.9, kHighestHertz, look.floor)) {
        look.afterEnergy += peak.magnitude * peak.magnitude;
    }

    return look;
}

// The partial at hertz in a stretch starting at sample start, Hann-windowed and heterodyned
// against the take's own clock, scaled as a spectrum's magnitude: a steady partial gives the
// same phase in every stretch.
std::complex<double> PartialPhasor(std::span<const float> stretch, std::ptrdiff_t start,
                                   double hertz, int sampleRate) {
    std::complex<double> sum;
    double windowSum = 0.0;
    const double length = static_cast<double>(stretch.size());
    const double step = 2.0 * std::numbers::pi * hertz / sampleRate;
    // The heterodyne and the window's cosine turn by a fixed angle from sample to sample, so
    // each is carried on by one complex product rather than computed afresh.
    std::complex<double> heterodyne = std::polar(1.0, -step * static_cast<double>(start));
    const std::complex<double> heterodyneTurn = std::polar(1.0, -step);
    std::complex<double> cosine = std::polar(1.0, std::numbers::pi / length);
    const std::complex<double> cosineTurn = std::polar(1.0, 2.0 * std::numbers::pi / length);
    for (std::size_t i = 0; i < stretch.size(); ++i) {
        const double window = 0.5 - 0.5 * cosine.real();
        windowSum += window;
        sum += window * stretch[i] * heterodyne;
        heterodyne *= heterodyneTurn;
        cosine *= cosineTurn;
    }
    return windowSum > 0.0 ? sum * (2.0 / windowSum) : sum;
}

HalvesPower PowerInHalves(const Look& look, double hertz) {
    const std::size_t half = look.afterSamples.size() / 2;
    return {std::norm(PartialPhasor(look.afterSamples.first(half), look.afterStart, hertz,
                                    look.sampleRate)),
            std::norm(PartialPhasor(look.afterSamples.subspan(half),
                                    look.afterStart + static_cast<std::ptrdiff_t>(half), hertz,
                                    look.sampleRate))};
}

// The new energy of one place in the spectrum: the rise in power of the peak found there, when
// it rose by the factor rise and stands at least floor high.
double NewEnergy(const Look& look, const SpectralPeak& peak, double rise, double floor) {
    const double before = look.before.LargestNear(peak.hertz, kPartialCents / 2);
    if (peak.magnitude < rise * before || peak.magnitude < floor) return 0.0;
    return peak.magnitude * peak.magnitude - before * before;
}

// Which partial of note lies at hertz, counting a string's stretching; 0 for none.
int PartialNumber(double hertz, int note) {
    const double fundamental = FrequencyOfNote(note);
    const int nearest = static_cast<int>(std::floor(hertz / fundamental));
    for (int number = std::max(1, nearest); number <= nearest + 1; ++number) {
        if (number > kExplainedPartials) return 0;
        const double cents = 1200.0 * std::log2(hertz / (number * fundamental));
        const CentsRange places = PartialPlaces(fundamental, number);
        if (cents >= places.lowest && cents <= places.highest) return number;
    }
    return 0;
}

bool IsPartialOf(double hertz, int note) { return PartialNumber(hertz, note) > 0; }

// The peak of the spectrum at the n-th partial of fundamental, where a string's stretching may
// have put it.
std::optional<SpectralPeak> PartialPeak(const Spectrum& spectrum, double fundamental, int n) {
    const CentsRange places = PartialPlaces(fundamental, n);
    const double middle = (places.lowest + places.highest) / 2;
    return spectrum.PeakNear(n * fundamental * std::exp2(middle / 1200.0),
                             (places.highest - places.lowest) / 2);
}

// The rise in power of every peak of the spectrum after, over the floor.
std::vector<NewPeak> RisingPeaks(const Look& look, double rise) {
    std::vector<NewPeak> peaks;
    for (const SpectralPeak& peak :
         look.after.Peaks(kLowestPitchHertz * 0.9, kHighestHertz, look.floor)) {
        if (const double energy = NewEnergy(look, peak, rise, look.floor); energy > 0.0) {
            peaks.push_back({peak, energy});
        }
    }
    return peaks;
}

std::vector<NewPeak>::const_iterator Strongest(const std::vector<NewPeak>& peaks) {
    return std::max_element(peaks.begin(), peaks.end(),
                            [](const auto& a, const auto& b) { return a.energy < b.energy; });
}

}  // namespace fretlux
