// SPDX-License-Identifier: MIT
#include "listening/tuning_offset.h"

#include <algorithm>
#include <cmath>

#include "listening/pitch_names.h"

namespace fretlux {

namespace {

// The lowest partials lie nearest their harmonic places; a string's stiffness raises the higher
// ones.
constexpr int kMeasuredPartials = 3;
// A partial of another expected note this near one that is measured would pull it aside.
constexpr double kCrowdedCents = 60.0;
// What rises near the expected notes' partials must be this share of all that rose.
constexpr double kMeasuredShare = 0.1;
// Like the judging of expected notes, a partial counts when it rose at all.
constexpr double kRise = 1.05;

double CentsBetween(double hertz, double reference) {
    return 1200.0 * std::log2(hertz / reference);
}

// Whether another expected note has a partial within kCrowdedCents of hertz.
bool Crowded(double hertz, int note, const std::vector<int>& expected) {
    return std::any_of(expected.begin(), expected.end(), [&](int other) {
        if (other == note) return false;
        const double fundamental = FrequencyOfNote(other);
        const double nearest = std::max(1.0, std::round(hertz / fundamental));
        return std::abs(CentsBetween(hertz, nearest * fundamental)) < kCrowdedCents;
    });
}

}  // namespace

std::optional<double> TuningOffsetAt(const Look& look, const std::vector<int>& expected) {
    double risen = 0.0;
    for (const NewPeak& peak : RisingPeaks(look, kRise)) risen += peak.energy;
    double weighted = 0.0;
    double measured = 0.0;
    for (const int note : expected) {
        const double fundamental = FrequencyOfNote(note);
        for (int n = 1; n <= kMeasuredPartials && n * fundamental <= kHighestHertz; ++n) {
            const double place = n * fundamental;
            if (Crowded(place, note, expected)) continue;
            const auto peak = look.after.PeakNear(place, kFarthestOffsetCents);
            if (!peak) continue;
            const double energy = NewEnergy(look, *peak, kRise, look.floor);
            weighted += energy * CentsBetween(peak->hertz, place);
            measured += energy;
        }
    }
    if (measured <= 0.0 || measured < kMeasuredShare * risen) return std::nullopt;
    return weighted / measured;
}

double MedianOffset(std::vector<double> offsets) {
    if (offsets.empty()) return 0.0;
    const auto middle = offsets.begin() + static_cast<std::ptrdiff_t>(offsets.size() / 2);
    std::nth_element(offsets.begin(), middle, offsets.end());
    if (offsets.size() % 2 == 1) return *middle;
    return 0.5 * (*middle + *std::max_element(offsets.begin(), middle));
}

int RateHeardInTune(int sampleRate, double offsetCents) {
    const double offset = std::clamp(offsetCents, -kFarthestOffsetCents, kFarthestOffsetCents);
    return static_cast<int>(std::lround(sampleRate * std::exp2(-offset / 1200.0)));
}

}  // namespace fretlux
