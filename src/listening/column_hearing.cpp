// SPDX-License-Identifier: MIT
#include "listening/column_hearing.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <iterator>
#include <numbers>
#include <optional>

#include "listening/frequency_bins.h"
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
constexpr double kHighestHertz = 5000.0;
// Each of the two stretches through which a ringing partial is followed before the onsets.
constexpr double kFollowedSeconds = 0.04;
constexpr double kShortestFollowedSeconds = 0.015;
// An expected note was plucked again while it rang when this share of its partials' energy
// after the onsets is not what rang before, and those partials are not lost in the others (they
// hold this share of the energy of all peaks after the onsets).
constexpr double kReplayedShare = 0.3;
constexpr double kReplayedLevel = 0.0015;
// A single note plucked again is most of what sounds after the onset; a faint string still
// ringing from earlier is not, and its phase may wander in the room's noise or under a louder
// note close by.
constexpr double kReplayedSingleLevel = 0.2;
// A partial that lost this share of its energy was damped, not plucked again: what is left of it
// is too faint to follow.
constexpr double kFadedShare = 0.25;
// At a faint onset, the new energy must be this share of all the energy after it.
constexpr double kFaintOnsetRise = 0.01;
// A partial is the note's when it lies this near its harmonic place, and a string may stretch
// its n-th partial by up to n * n times this many cents more. Stretching only raises a partial,
// so from the fifth up one lying further below its place belongs to another note: a note a whole
// tone higher puts its seventh partial 31 cents below this note's eighth.
constexpr double kPartialCents = 40.0;
constexpr double kStretchCentsPerSquare = 0.3;
constexpr int kFirstHighPartial = 5;
constexpr double kHighPartialFlatCents = 25.0;
constexpr int kCountedPartials = 8;
// In a chord, a string plucked again more softly than it rang shows it in its higher partials,
// which had died away in the old vibration; so its own partials are counted further up. A single
// note's partials are all its own already, and that far up, those of a note a semitone or two
// away come within reach.
constexpr int kCountedOwnPartialsInChord = 12;
constexpr int kExplainedPartials = 48;
// An expected note's partial began when it rose at all (5 %): a ringing string only decays,
// and one plucked again while it still rang rises little. A partial of a note not expected must
// rise more (6 dB), since two close partials beating can rise by chance.
constexpr double kExpectedRise = 1.05;
constexpr double kOtherRise = 2.0;
// Peaks fainter than this below the loudest of the spectrum after, or less than this many times
// the median magnitude (the level of the room's noise), are noise.
constexpr double kFloorBelowLoudest = 0.003;
constexpr double kFloorAboveMedian = 8.0;
// Shares of all new energy: an expected note began when its partials hold this much of it, and
// another note began when its partials, which no expected note explains, hold this much. Where
// a chord was expected, a wrong string shares the new energy with every string plucked again and
// holds a smaller share of it.
constexpr double kExpectedShare = 0.02;
constexpr double kOwnPartialsShare = 0.0005;
constexpr double kOtherShare = 0.15;
constexpr double kOtherInChordShare = 0.08;
// Three or more partials of one harmonic series are a string, not peaks met by chance: in a
// chord, such a note needs a smaller share.
constexpr int kSeriesPartials = 3;
constexpr double kSeriesInChordShare = 0.06;
constexpr int kMostOtherNotes = 3;
// A string on a wrong fret sounds a semitone or two from the note expected of it, which makes
// such a note likelier than any other. In a chord it began on this smaller share of the new
// energy, when its fundamental and at least one more of its first partials rose where neither
// the expected notes nor the other notes heard explain them.
constexpr int kWrongFretReach = 2;
constexpr double kWrongFretShare = 0.02;
// A note an octave below the true one explains all of its partials too, but none of its own odd
// ones; a twelfth below, none of those that are not multiples of three. A note named must hold
// this share of its energy in each of the two kinds, and its fundamental must sound.
constexpr double kOwnSeriesShare = 0.1;
// A string's fundamental keeps this share of its energy from the first half of the stretch after
// the onsets to the second; the thump of a pick or of a guitar's body dies away faster.
constexpr double kSustainedShare = 0.3;
// What a guitar in standard tuning can play, open low E to the high E string's 24th fret.
constexpr int kLowestGuitarNote = 40;
constexpr int kHighestGuitarNote = 88;

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
};

// The partial at hertz in a stretch starting at sample start, Hann-windowed and heterodyned
// against the take's own clock, scaled as a spectrum's magnitude: a steady partial gives the
// same phase in every stretch.
std::complex<double> PartialPhasor(std::span<const float> stretch, std::ptrdiff_t start,
                                   double hertz, int sampleRate) {
    std::complex<double> sum;
    double windowSum = 0.0;
    const double length = static_cast<double>(stretch.size());
    const double step = 2.0 * std::numbers::pi * hertz / sampleRate;
    for (std::size_t i = 0; i < stretch.size(); ++i) {
        const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * (i + 0.5) / length);
        windowSum += window;
        sum += window * stretch[i] * std::polar(1.0, -step * static_cast<double>(start + i));
    }
    return windowSum > 0.0 ? sum * (2.0 / windowSum) : sum;
}

// The energy of a partial after the onsets that the partial ringing before does not explain:
// what rang is followed through the two stretches before (its decay and any slight detuning)
// and carried on to the stretch after, where it may only have been damped. A string plucked
// again while it rang starts afresh, out of step with the old vibration.
double UnexplainedEnergy(const Look& look, double hertz) {
    const auto centre = [](std::ptrdiff_t start, std::size_t size) {
        return static_cast<double>(start) + 0.5 * static_cast<double>(size);
    };
    const auto earlier = PartialPhasor(look.earlier, look.earlierStart, hertz, look.sampleRate);
    const auto later = PartialPhasor(look.later, look.laterStart, hertz, look.sampleRate);
    const auto after = PartialPhasor(look.afterSamples, look.afterStart, hertz, look.sampleRate);
    if (std::abs(earlier) == 0.0 || std::abs(later) == 0.0) return std::norm(after);
    const double steps = (centre(look.afterStart, look.afterSamples.size()) -
                          centre(look.laterStart, look.later.size())) /
                         (centre(look.laterStart, look.later.size()) -
                          centre(look.earlierStart, look.earlier.size()));
    const std::complex<double> perStep = later / earlier;
    const std::complex<double> carried =
        later *
        std::polar(std::min(1.0, std::pow(std::abs(perStep), steps)), std::arg(perStep) * steps);
    if (std::norm(after) < kFadedShare * std::norm(carried)) return 0.0;
    const double damping =
        std::clamp(std::real(after * std::conj(carried)) / std::norm(carried), 0.0, 1.0);
    return std::norm(after - damping * carried);
}

// The new energy of one place in the spectrum: the rise in power of the peak found there, when
// it rose by the factor rise.
double NewEnergy(const Look& look, const SpectralPeak& peak, double rise) {
    const double before = look.before.LargestNear(peak.hertz, kPartialCents / 2);
    if (peak.magnitude < rise * before || peak.magnitude < look.floor) return 0.0;
    return peak.magnitude * peak.magnitude - before * before;
}

struct CentsRange {
    double lowest;
    double highest;
};

// Where the n-th partial of a note may lie, in cents from n times its fundamental.
CentsRange PartialPlaces(int n) {
    return {n >= kFirstHighPartial ? -kHighPartialFlatCents : -kPartialCents,
            kPartialCents + kStretchCentsPerSquare * n * n};
}

// Which partial of note lies at hertz, counting a string's stretching; 0 for none.
int PartialNumber(double hertz, int note) {
    const double fundamental = FrequencyOfNote(note);
    const int nearest = static_cast<int>(std::floor(hertz / fundamental));
    for (int number = std::max(1, nearest); number <= nearest + 1; ++number) {
        if (number > kExplainedPartials) return 0;
        const double cents = 1200.0 * std::log2(hertz / (number * fundamental));
        const CentsRange places = PartialPlaces(number);
        if (cents >= places.lowest && cents <= places.highest) return number;
    }
    return 0;
}

bool IsPartialOf(double hertz, int note) { return PartialNumber(hertz, note) > 0; }

// The peak of the spectrum at the n-th partial of fundamental, where a string's stretching may
// have put it.
std::optional<SpectralPeak> PartialPeak(const Spectrum& spectrum, double fundamental, int n) {
    const CentsRange places = PartialPlaces(n);
    const double middle = (places.lowest + places.highest) / 2;
    return spectrum.PeakNear(n * fundamental * std::exp2(middle / 1200.0),
                             (places.highest - places.lowest) / 2);
}

// The new energy in the first counted partials of note, leaving out partials that one of the
// notes explained also has.
double EvidenceOf(const Look& look, int note, double rise, const std::vector<int>& explained = {},
                  int counted = kCountedPartials) {
    double evidence = 0.0;
    const double fundamental = FrequencyOfNote(note);
    for (int n = 1; n <= counted && n * fundamental <= kHighestHertz; ++n) {
        const auto peak = PartialPeak(look.after, fundamental, n);
        if (peak && std::none_of(explained.begin(), explained.end(),
                                 [&](int other) { return IsPartialOf(peak->hertz, other); })) {
            evidence += NewEnergy(look, *peak, rise);
        }
    }
    return evidence;
}

// Whether note, ringing before the onsets, was plucked again: much of its partials' energy after
// them, leaving out partials that the notes in others have too, is not the old vibration's.
bool Replayed(const Look& look, int note, const std::vector<int>& others) {
    if (look.earlier.empty()) return false;
    double unexplained = 0.0;
    double sounding = 0.0;
    const double fundamental = FrequencyOfNote(note);
    for (int n = 1; n <= kCountedPartials && n * fundamental <= kHighestHertz; ++n) {
        const auto peak = PartialPeak(look.after, fundamental, n);
        if (!peak || peak->magnitude < look.floor ||
            std::any_of(others.begin(), others.end(),
                        [&](int other) { return IsPartialOf(peak->hertz, other); })) {
            continue;
        }
        unexplained += UnexplainedEnergy(look, peak->hertz);
        sounding += peak->magnitude * peak->magnitude;
    }
    const double level = others.empty() ? kReplayedSingleLevel : kReplayedLevel;
    return sounding >= level * look.afterEnergy && sounding > 0.0 &&
           unexplained >= kReplayedShare * sounding;
}

// Whether some of note's counted partials belong to none of the others.
bool HasOwnPartials(int note, const std::vector<int>& others) {
    const double fundamental = FrequencyOfNote(note);
    for (int n = 1; n <= kCountedPartials && n * fundamental <= kHighestHertz; ++n) {
        if (std::none_of(others.begin(), others.end(),
                         [&](int other) { return IsPartialOf(n * fundamental, other); }))
            return true;
    }
    return false;
}

// Whether an expected note began: its partials rose, counting only those that the other
// expected notes do not share when it has such partials of its own (an octave above another
// note of the chord has none, and is then judged on all of its partials). A string plucked again
// while it rang makes an ordinary onset, so at a faint one only risen partials count: there, the
// phase of a fading string that wanders (in noise, or in a sample's release) is no new pluck.
bool ExpectedNoteBegan(const Look& look, int note, const std::vector<int>& expected, double total,
                       bool faintOnset) {
    std::vector<int> others;
    std::copy_if(expected.begin(), expected.end(), std::back_inserter(others),
                 [note](int other) { return other != note; });
    // Partials shared with another note of the chord tell nothing of a string plucked again, as
    // the other string may be the one that was.
    if (!HasOwnPartials(note, others))
        return EvidenceOf(look, note, kExpectedRise) >= kExpectedShare * total;
    const int counted = others.empty() ? kCountedPartials : kCountedOwnPartialsInChord;
    return EvidenceOf(look, note, kExpectedRise, others, counted) >= kOwnPartialsShare * total ||
           (!faintOnset && Replayed(look, note, others));
}

struct NewPeak {
    SpectralPeak peak;
    double energy;
};

// Whether the partial at hertz held its strength through the stretch after the onsets.
bool Sustained(const Look& look, double hertz) {
    const std::size_t half = look.afterSamples.size() / 2;
    const double first = std::norm(
        PartialPhasor(look.afterSamples.first(half), look.afterStart, hertz, look.sampleRate));
    const double second = std::norm(
        PartialPhasor(look.afterSamples.subspan(half),
                      look.afterStart + static_cast<std::ptrdiff_t>(half), hertz, look.sampleRate));
    return second >= kSustainedShare * first;
}

// The rise in power of every peak of the spectrum after, over the floor.
std::vector<NewPeak> RisingPeaks(const Look& look, double rise) {
    std::vector<NewPeak> peaks;
    for (const SpectralPeak& peak :
         look.after.Peaks(kLowestPitchHertz * 0.9, kHighestHertz, look.floor)) {
        if (const double energy = NewEnergy(look, peak, rise); energy > 0.0) {
            peaks.push_back({peak, energy});
        }
    }
    return peaks;
}

std::vector<NewPeak>::const_iterator Strongest(const std::vector<NewPeak>& peaks) {
    return std::max_element(peaks.begin(), peaks.end(),
                            [](const auto& a, const auto& b) { return a.energy < b.energy; });
}

// What the peaks hold of one note's partials.
struct SeriesAmong {
    double energy = 0.0;
    double fundamental = 0.0;
    double fundamentalHertz = 0.0;
    double odd = 0.0;
    double notThirds = 0.0;
    int partials = 0;

    // Its fundamental sounds, and the peaks are not only those of the note an octave or a
    // twelfth above.
    bool OwnSeries() const {
        return fundamental > 0.0 && odd >= kOwnSeriesShare * energy &&
               notThirds >= kOwnSeriesShare * energy;
    }
};

SeriesAmong SeriesOf(const std::vector<NewPeak>& peaks, int note,
                     int highestPartial = kExplainedPartials) {
    SeriesAmong series;
    for (const NewPeak& p : peaks) {
        const int partial = PartialNumber(p.peak.hertz, note);
        if (partial == 0 || partial > highestPartial) continue;
        series.energy += p.energy;
        ++series.partials;
        if (partial % 2 == 1) series.odd += p.energy;
        if (partial % 3 != 0) series.notThirds += p.energy;
        if (partial == 1) {
            series.fundamental += p.energy;
            series.fundamentalHertz = p.peak.hertz;
        }
    }
    return series;
}

struct Explanation {
    int note;
    double energy;  // of the peaks that are its partials
    int partials;   // how many of the peaks are
};

// The note that best explains the strongest of the peaks: the peak is its fundamental or one of
// its partials up to the fourth; the note's fundamental and at least one more of its partials are
// among the peaks, or its fundamental alone when hidden says that its other partials hide behind
// the expected notes' own.
std::optional<Explanation> NoteExplaining(
    const std::vector<NewPeak>& peaks,
    const std::function<bool(int note, double fundamentalHertz)>& hidden) {
    const auto strongest = Strongest(peaks);
    std::optional<Explanation> best;
    for (int number = 1; number <= 4; ++number) {
        const int note = NearestNoteOf(strongest->peak.hertz / number).midi;
        if (note < kLowestGuitarNote || note > kHighestGuitarNote) continue;
        const SeriesAmong series = SeriesOf(peaks, note);
        const bool enoughPartials = series.partials >= 2 || (series.fundamental > 0.0 &&
                                                             hidden(note, series.fundamentalHertz));
        if (series.OwnSeries() && enoughPartials && (!best || series.energy > best->energy * 1.2)) {
            best = Explanation{note, series.energy, series.partials};
        }
    }
    return best;
}

// The notes a fret or two from an expected note of a chord whose fundamental and another of its
// first partials are among the unexplained peaks, by the rule above.
std::vector<int> WrongFretNotes(const std::vector<NewPeak>& unexplained,
                                const std::vector<int>& expected, double total) {
    std::vector<int> found;
    const auto among = [](const std::vector<int>& notes, int note) {
        return std::find(notes.begin(), notes.end(), note) != notes.end();
    };
    for (const int note : expected) {
        for (int candidate = note - kWrongFretReach; candidate <= note + kWrongFretReach;
             ++candidate) {
            if (candidate < kLowestGuitarNote || candidate > kHighestGuitarNote ||
                among(expected, candidate) || among(found, candidate)) {
                continue;
            }
            const SeriesAmong series = SeriesOf(unexplained, candidate, kCountedPartials);
            if (series.fundamental > 0.0 && series.partials >= 2 &&
                series.energy >= kWrongFretShare * total) {
                found.push_back(candidate);
            }
        }
    }
    return found;
}

void ForgetPartialsOf(std::vector<NewPeak>& peaks, int note) {
    std::erase_if(peaks, [note](const NewPeak& p) { return IsPartialOf(p.peak.hertz, note); });
}

// Notes other than expected whose partials rose, named from the peaks left unexplained. Where a
// chord was expected, a wrong string's higher partials may all be partials of the chord's notes
// (G2 struck with D3, G3 and B3): then its fundamental names it, when one of those partials rose
// and the fundamental holds as a string's does.
std::vector<int> OtherNotes(const Look& look, const std::vector<int>& expected, double total) {
    std::vector<NewPeak> unexplained;
    std::vector<NewPeak> expectedPartials;
    for (const NewPeak& risen : RisingPeaks(look, kOtherRise)) {
        const bool explained = std::any_of(expected.begin(), expected.end(), [&](int note) {
            return IsPartialOf(risen.peak.hertz, note);
        });
        (explained ? expectedPartials : unexplained).push_back(risen);
    }
    const auto hidden = [&](int note, double fundamentalHertz) {
        return expected.size() > 1 &&
               std::any_of(
                   expectedPartials.begin(), expectedPartials.end(),
                   [&](const NewPeak& p) { return PartialNumber(p.peak.hertz, note) > 1; }) &&
               Sustained(look, fundamentalHertz);
    };
    const auto neededShare = [&](const Explanation& found) {
        if (expected.size() == 1) return kOtherShare;
        return found.partials >= kSeriesPartials ? kSeriesInChordShare : kOtherInChordShare;
    };
    std::vector<int> others;
    // What the notes found leave; the search below also sets aside peaks that no note explains.
    std::vector<NewPeak> leftOver = unexplained;
    while (others.size() < kMostOtherNotes && !unexplained.empty()) {
        const auto found = NoteExplaining(unexplained, hidden);
        if (!found) {
            // A peak that no note explains, a partial risen by chance or the room's noise, does
            // not hide the notes behind it.
            unexplained.erase(Strongest(unexplained));
            continue;
        }
        if (found->energy < neededShare(*found) * total) break;
        others.push_back(found->note);
        ForgetPartialsOf(unexplained, found->note);
        ForgetPartialsOf(leftOver, found->note);
    }
    if (expected.size() > 1) {
        const std::vector<int> wrongFrets = WrongFretNotes(leftOver, expected, total);
        others.insert(others.end(), wrongFrets.begin(), wrongFrets.end());
    }
    return others;
}

std::span<const float> Stretch(std::span<const float> samples, std::ptrdiff_t start,
                               std::size_t length) {
    const std::size_t from = static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, start));
    const std::size_t to = static_cast<std::size_t>(
        std::clamp<std::ptrdiff_t>(start + static_cast<std::ptrdiff_t>(length), 0,
                                   static_cast<std::ptrdiff_t>(samples.size())));
    return from < to ? samples.subspan(from, to - from) : std::span<const float>();
}

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
    look.floor = std::max({1e-5, kFloorBelowLoudest * loudest,
                           kFloorAboveMedian * look.after.MedianMagnitude(kHighestHertz)});
    for (const SpectralPeak& peak :
         look.after.Peaks(kLowestPitchHertz * 0.9, kHighestHertz, look.floor)) {
        look.afterEnergy += peak.magnitude * peak.magnitude;
    }

    return look;
}

}  // namespace

std::vector<int> NotesBegun(std::span<const float> samples, int sampleRate,
                            const OnsetGroup& onsets, const std::vector<int>& expected) {
    const std::optional<Look> found = LookAt(samples, sampleRate, onsets);
    if (!found) return {};
    const Look& look = *found;
    double total = 0.0;
    for (const NewPeak& peak : RisingPeaks(look, kExpectedRise)) total += peak.energy;
    std::vector<int> heard;
    if (total <= 0.0 || (onsets.faint && total < kFaintOnsetRise * look.afterEnergy)) return heard;
    for (const int note : expected) {
        if (ExpectedNoteBegan(look, note, expected, total, onsets.faint)) heard.push_back(note);
    }
    std::vector<int> others = OtherNotes(look, expected, total);
    if (expected.size() == 1) {
        // A single note's pitch is heard directly; it counts as another note only when that
        // note rose, so a note still ringing from before, or an octave slip of the detector on
        // the expected note, does not.
        if (const auto pitch = RoughPitch(look.afterSamples, sampleRate)) {
            const int note = NearestNoteOf(*pitch).midi;
            if (note != expected.front() && note >= kLowestGuitarNote &&
                note <= kHighestGuitarNote &&
                EvidenceOf(look, note, kOtherRise, expected) >= kOtherShare * total &&
                !(heard.size() == 1 && (note - expected.front()) % 12 == 0 && others.empty())) {
                others.push_back(note);
            }
        }
    }
    for (const int note : others) {
        if (std::find(heard.begin(), heard.end(), note) == heard.end()) heard.push_back(note);
    }
    std::sort(heard.begin(), heard.end());
    return heard;
}

}  // namespace fretlux
