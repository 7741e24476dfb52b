// SPDX-License-Identifier: MIT
// The sound around a column's onsets as the hearing looks at it: the spectra just before and just
// after them, the stretches through which a ringing partial is followed, and where a note's
// partials lie. Both the judging of the expected notes and the search for others look through it.
#pragma once

#include <complex>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "listening/column_hearing.h"
#include "listening/frequency_bins.h"

namespace fretlux {

// No partial above this is looked at.
inline constexpr double kHighestHertz = 5000.0;
// A note's evidence is in its first partials; any of its partials up to the highest here explains
// a peak.
inline constexpr int kCountedPartials = 8;
inline constexpr int kExplainedPartials = 48;

struct Look {
    Spectrum before;
    Spectrum after;
    double floor;
    std::span<const float> afterSamples;
    // Two stretches of what rang just before the onsets, one after the other, for following a
    // partial through them; empty when the previous onset leaves no room.
    std::span<const float> earlier{};
    std::span<const float> later{};
    std::ptrdiff_t earlierStart = 0;
    std::ptrdiff_t laterStart = 0;
    std::ptrdiff_t afterStart = 0;
    int sampleRate = 0;
    double afterEnergy = 0.0;  // of all peaks over the floor after the onsets
    // Peaks fainter than this name no note that was not expected: over a short look the pluck's
    // attack fills the spectrum after the onsets, and its noise is no string.
    double otherNotesFloor = 0.0;
    // A chord's note may have few partials that no other string shares (A7's C sharp has only its
    // fundamental among its first eight), and through an overdriven or distorted amplifier those
    // few stand only a little above the sound the amplifier fills the spectrum with. Sought at
    // their exact places, they count from this lower floor.
    double ownPartialsFloor = 0.0;
};

// The spectra after and before the onsets; nothing when the take ends at them.
std::optional<Look> LookAt(std::span<const float> samples, int sampleRate,
                           const OnsetGroup& onsets);

// The partial at hertz in a stretch starting at sample start, Hann-windowed and heterodyned
// against the take's own clock, scaled as a spectrum's magnitude: a steady partial gives the
// same phase in every stretch.
std::complex<double> PartialPhasor(std::span<const float> stretch, std::ptrdiff_t start,
                                   double hertz, int sampleRate);

// The power of the partial at hertz in the first and in the second half of the stretch after the
// onsets.
struct HalvesPower {
    double first;
    double second;
};
HalvesPower PowerInHalves(const Look& look, double hertz);

// The new energy of one place in the spectrum: the rise in power of the peak found there, when
// it rose by the factor rise and stands at least floor high.
double NewEnergy(const Look& look, const SpectralPeak& peak, double rise, double floor);

// Which partial of note lies at hertz, counting a string's stretching; 0 for none.
int PartialNumber(double hertz, int note);

bool IsPartialOf(double hertz, int note);

// The peak of the spectrum at the n-th partial of fundamental, where a string's stretching may
// have put it.
std::optional<SpectralPeak> PartialPeak(const Spectrum& spectrum, double fundamental, int n);

struct NewPeak {
    SpectralPeak peak;
    double energy;
};

// The rise in power of every peak of the spectrum after, over the floor.
std::vector<NewPeak> RisingPeaks(const Look& look, double rise);

// The peak that rose the most.
std::vector<NewPeak>::const_iterator Strongest(const std::vector<NewPeak>& peaks);

}  // namespace fretlux
