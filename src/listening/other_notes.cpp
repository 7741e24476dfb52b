// SPDX-License-Identifier: MIT
#include "listening/other_notes.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>

#include "listening/pitch_names.h"

namespace fretlux {

namespace {

// Where a chord was expected, a wrong string shares the new energy with every string plucked
// again and holds a smaller share of it.
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
// A note named this close to an expected one may be a string on the wrong fret, and is not taken
// for an upper partial of another.
constexpr int kWrongFretKeptReach = 3;
// A note an octave below the true one explains all of its partials too, but none of its own odd
// ones; a twelfth below, none of those that are not multiples of three. A note named must hold
// this share of its energy in each of the two kinds, and its fundamental must sound.
constexpr double kOwnSeriesShare = 0.1;
// Where less rose than this share of all that sounds after the onsets, other notes' shares count
// from it instead.
constexpr double kLeastOtherNotesTotal = 0.1;
// A string's fundamental keeps this share of its energy from the first half of the stretch after
// the onsets to the second; the thump of a pick or of a guitar's body dies away faster.
constexpr double kSustainedShare = 0.3;

// Whether the partial at hertz held its strength through the stretch after the onsets.
bool Sustained(const Look& look, double hertz) {
    const HalvesPower power = PowerInHalves(look, hertz);
    return power.second >= kSustainedShare * power.first;
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

// What is heard at a note's fundamental after the onsets.
struct Fundamental {
    bool sounds;
    bool began;
};

Fundamental FundamentalOf(const Look& look, int note) {
    const std::optional<SpectralPeak> peak = PartialPeak(look.after, FrequencyOfNote(note), 1);
    if (!peak || peak->magnitude < look.floor) return {false, false};
    return {true, NewEnergy(look, *peak, kOtherRise, look.floor) > 0.0};
}

// In a chord, a string a fret or two off may be named by one of its upper partials: what rose at
// its first partials was too little, beside the chord's, to name it. The note a fret or two from
// an expected one of which the note named is the second, third or fourth partial is then the note
// played, where its fundamental rose. A note named within three frets of an expected one keeps its
// name: a finger on the wrong fret may have played it.
int WrongFretUnder(const Look& look, int named, const std::vector<int>& expected) {
    const auto nearExpected = [&expected](int note, int reach) {
        return std::any_of(expected.begin(), expected.end(),
                           [note, reach](int e) { return std::abs(e - note) <= reach; });
    };
    if (nearExpected(named, kWrongFretKeptReach)) return named;
    const double hertz = FrequencyOfNote(named);
    for (int number = 2; number <= 4; ++number) {
        const int note = NearestNoteOf(hertz / number).midi;
        if (nearExpected(note, kWrongFretReach) && PartialNumber(hertz, note) == number &&
            std::find(expected.begin(), expected.end(), note) == expected.end() &&
            FundamentalOf(look, note).began) {
            return note;
        }
    }
    return named;
}

void ForgetPartialsOf(std::vector<NewPeak>& peaks, int note) {
    std::erase_if(peaks, [note](const NewPeak& p) { return IsPartialOf(p.peak.hertz, note); });
}

}  // namespace

double OtherNotesTotal(const Look& look, double total) {
    return std::max(total, kLeastOtherNotesTotal * look.afterEnergy);
}

// Notes other than expected whose partials rose, named from the peaks left unexplained. Where a
// chord was expected, a wrong string's higher partials may all be partials of the chord's notes
// (G2 struck with D3, G3 and B3): then its fundamental names it, when one of those partials rose
// and the fundamental holds as a string's does. A string a fret or two off whose first partials
// rose too little to name it, and one of its upper partials enough, is named at its fundamental.
std::vector<int> OtherNotes(const Look& look, const std::vector<int>& expected, double total) {
    const double weighed = OtherNotesTotal(look, total);
    std::vector<NewPeak> unexplained;
    std::vector<NewPeak> expectedPartials;
    for (const NewPeak& risen : RisingPeaks(look, kOtherRise)) {
        if (risen.peak.magnitude < look.otherNotesFloor) continue;
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
        if (found->energy < neededShare(*found) * weighed) break;
        others.push_back(found->note);
        ForgetPartialsOf(unexplained, found->note);
        ForgetPartialsOf(leftOver, found->note);
    }
    if (expected.size() > 1) {
        for (int& note : others) note = WrongFretUnder(look, note, expected);
        const std::vector<int> wrongFrets = WrongFretNotes(leftOver, expected, weighed);
        others.insert(others.end(), wrongFrets.begin(), wrongFrets.end());
    }
    return others;
}

std::vector<int> WithoutSlips(const Look& look, std::vector<int> others) {
    std::sort(others.begin(), others.end());
    others.erase(std::unique(others.begin(), others.end()), others.end());
    std::vector<bool> slipped(others.size(), false);
    for (std::size_t low = 0; low < others.size(); ++low) {
        const Fundamental fundamental = FundamentalOf(look, others[low]);
        for (std::size_t high = low + 1; high < others.size(); ++high) {
            const int partial = PartialNumber(FrequencyOfNote(others[high]), others[low]);
            if (partial < 2 || partial > kCountedPartials) continue;
            if (fundamental.began) {
                slipped[high] = true;
            } else if (!fundamental.sounds) {
                slipped[low] = true;
            }
        }
    }
    std::vector<int> kept;
    for (std::size_t i = 0; i < others.size(); ++i) {
        if (!slipped[i]) kept.push_back(others[i]);
    }
    return kept;
}

}  // namespace fretlux
