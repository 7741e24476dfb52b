// SPDX-License-Identifier: MIT
#include "listening/expected_onset.h"

#include <algorithm>
#include <cmath>

#include "listening/input_level.h"
#include "listening/onset_look.h"
#include "listening/onsets.h"
#include "listening/pitch_names.h"

namespace fretlux {

namespace {

// Stretches of about 46 ms on either side of a possible onset: long enough to tell a partial from
// the next one of the same note, short enough that the previous note does not fill the one after.
constexpr double kStretchSeconds = 0.046;
constexpr double kStepSeconds = 0.005;
// The first partials, where a plucked string holds most of its energy.
constexpr int kPartials = 6;
constexpr double kHighestPartialHertz = 2000.0;
// The notes began where their partials' power rose this many times over, in this many partials
// at least: a pluck wakes them all, while two partials beating against each other, or the room's
// noise, lift one or two.
constexpr double kRise = 2.0;
constexpr int kRisenPartials = 3;
// And where their partials stand out this many times over the places midway between them, as a
// string's do and noise's do not.
constexpr double kStandOut = 2.0;

std::vector<double> PlacesOf(const std::vector<int>& notes, double offset) {
    std::vector<double> places;
    for (const int note : notes) {
        const double fundamental = FrequencyOfNote(note);
        for (int n = 1; n <= kPartials && n * fundamental <= kHighestPartialHertz; ++n) {
            places.push_back((n + offset) * fundamental);
        }
    }
    return places;
}

std::vector<double> PowersAt(std::span<const float> samples, std::int64_t start,
                             std::int64_t length, const std::vector<double>& places,
                             int sampleRate) {
    const auto stretch =
        samples.subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    std::vector<double> powers;
    for (const double hertz : places) {
        powers.push_back(std::norm(PartialPhasor(stretch, start, hertz, sampleRate)));
    }
    return powers;
}

double Sum(const std::vector<double>& powers) {
    double sum = 0.0;
    for (const double power : powers) sum += power;
    return sum;
}

// The notes' partials over the stretches before and after one place.
struct PartialsAround {
    double before = 0.0;
    double after = 0.0;
    int risen = 0;  // partials whose power rose kRise times over

    bool RoseMoreThan(double times) const { return after > times * before; }
};

PartialsAround PartialsAroundPlace(std::span<const float> samples, std::int64_t at,
                                   std::int64_t length, const std::vector<double>& partials,
                                   int sampleRate) {
    const std::vector<double> before = PowersAt(samples, at - length, length, partials, sampleRate);
    const std::vector<double> after = PowersAt(samples, at, length, partials, sampleRate);
    PartialsAround around{Sum(before), Sum(after), 0};
    for (std::size_t p = 0; p < partials.size(); ++p) {
        if (after[p] >= kRise * before[p]) ++around.risen;
    }
    return around;
}

}  // namespace

std::optional<std::int64_t> OnsetOfNotes(std::span<const float> samples, int sampleRate,
                                         const std::vector<int>& notes, std::int64_t from,
                                         std::int64_t to) {
    const auto length = static_cast<std::int64_t>(kStretchSeconds * sampleRate);
    const auto step = std::max<std::int64_t>(1, std::llround(kStepSeconds * sampleRate));
    const auto size = static_cast<std::int64_t>(samples.size());
    const std::vector<double> partials = PlacesOf(notes, 0.0);
    const std::vector<double> between = PlacesOf(notes, 0.5);
    std::optional<std::int64_t> onset;
    double rise = kRise;
    for (std::int64_t at = std::max(from, length); at <= to && at + length <= size; at += step) {
        const auto after =
            samples.subspan(static_cast<std::size_t>(at), static_cast<std::size_t>(length));
        if (LevelDb(after) < kOnsetSilenceDb) continue;
        const PartialsAround around =
            PartialsAroundPlace(samples, at, length, partials, sampleRate);
        // The first rise is the onset, placed where it is steepest.
        if (onset && !around.RoseMoreThan(rise)) break;
        if (around.RoseMoreThan(rise) && around.risen >= kRisenPartials &&
            around.after >= kStandOut * Sum(PowersAt(samples, at, length, between, sampleRate))) {
            onset = at;
            rise = around.after / around.before;
        }
    }
    return onset;
}

}  // namespace fretlux
