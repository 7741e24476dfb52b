// SPDX-License-Identifier: MIT
#include "listening/single_note_in_place.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "listening/note_evidence.h"
#include "listening/other_notes.h"
#include "listening/pitch_measure.h"
#include "listening/pitch_names.h"

namespace fretlux {

namespace {

// A finger on the wrong fret sounds a note up to this many semitones from the one expected. Struck
// again, in place of the expected note, it is most of what sounds after the onset: a string that
// rings on beside the expected note is not, though its partials may beat with another's.
constexpr int kStruckAgainReach = 3;
constexpr double kStruckInsteadLevel = 0.5;
// Every partial of a note an octave or a twelfth up is one of the expected note's too. Where such
// a note began, the expected note began as well only when its partials that the higher note lacks
// (its odd ones, an octave below) hold this share of what is new in its partials.
constexpr double kOwnBelowShare = 0.05;
// Only a look of 100 ms or more tells it: over the shorter looks of a live onset's first hearings,
// right notes were too often taken for the note an octave up.
constexpr double kShortestOvertoneLookSeconds = 0.1;

// Whether one note is an octave, a twelfth or more above the other, every partial of the higher
// one a partial of the lower.
bool OvertoneApart(int a, int b) {
    return IsPartialOf(FrequencyOfNote(std::max(a, b)), std::min(a, b));
}

// What is new in one of a note's partials: the energy that the old vibration does not explain.
struct NewInPartial {
    double hertz;
    double energy;
};

std::vector<NewInPartial> NewInPartials(const Look& look, int note) {
    std::vector<NewInPartial> partials;
    const double fundamental = FrequencyOfNote(note);
    for (int n = 1; n <= kCountedPartials && n * fundamental <= kHighestHertz; ++n) {
        const auto peak = PartialPeak(look.after, fundamental, n);
        if (peak && peak->magnitude >= look.floor) {
            partials.push_back({peak->hertz, UnexplainedEnergy(look, peak->hertz)});
        }
    }
    return partials;
}

// Whether what is new in a note's partials lies almost all where higher has partials too.
bool OnlyOvertonesNew(const std::vector<NewInPartial>& partials, int higher) {
    double all = 0.0;
    double own = 0.0;
    for (const NewInPartial& partial : partials) {
        all += partial.energy;
        if (!IsPartialOf(partial.hertz, higher)) own += partial.energy;
    }
    return all > 0.0 && own < kOwnBelowShare * all;
}

// The note an octave, a twelfth or more above the single note expected that began in its place:
// what is new in the expected note's partials is almost all in the higher note's, which began as
// the expected note would have. The highest such note explains the most. Its evidence lies where
// none of the other notes heard has partials: a note a whole tone or so from the expected one
// puts a partial beside one of the expected note's upper partials, and the higher note would be
// named for it.
std::optional<int> OvertoneNotePlayed(const Look& look, int expected,
                                      const std::vector<int>& others, double total) {
    if (static_cast<double>(look.afterSamples.size()) <
        kShortestOvertoneLookSeconds * look.sampleRate) {
        return std::nullopt;
    }
    const std::vector<NewInPartial> partials = NewInPartials(look, expected);
    const double fundamental = FrequencyOfNote(expected);
    for (int n = kCountedPartials; n >= 2; --n) {
        const int note = NearestNoteOf(n * fundamental).midi;
        if (note > kHighestGuitarNote || !OvertoneApart(note, expected) ||
            !OnlyOvertonesNew(partials, note)) {
            continue;
        }
        const bool began =
            EvidenceOf(look, note, kExpectedRise, look.floor, others) >= kExpectedShare * total ||
            Replayed(look, note, others, kReplayedSingleLevel);
        if (began) return note;
    }
    return std::nullopt;
}

// The guitar note nearest the pitch heard after the onsets, unless it is the note expected.
std::optional<int> OtherPitchHeard(const Look& look, int expected) {
    const auto pitch = RoughPitch(look.afterSamples, look.sampleRate);
    if (!pitch) return std::nullopt;
    const int note = NearestNoteOf(*pitch).midi;
    if (note == expected || note < kLowestGuitarNote || note > kHighestGuitarNote) {
        return std::nullopt;
    }
    return note;
}

// The note struck again in place of the single note expected. A student whose finger sits on the
// wrong fret plays the same wrong note again, no louder than it rang: its phase breaks or it
// swells where the expected note has no partials, while nothing is new at the expected note's
// partials but where the wrong note has partials too. It is sought at the pitch heard, then a
// fret or a few either side of the expected note, as strings ringing on may leave no pitch to
// hear.
std::optional<int> NoteStruckAgainInstead(const Look& look, int expected, std::optional<int> pitch,
                                          double total) {
    std::vector<int> candidates;
    if (pitch && std::abs(*pitch - expected) <= kStruckAgainReach) candidates.push_back(*pitch);
    for (int step = 1; step <= kStruckAgainReach; ++step) {
        candidates.push_back(expected - step);
        candidates.push_back(expected + step);
    }
    for (const int note : candidates) {
        if (note >= kLowestGuitarNote && note <= kHighestGuitarNote &&
            !OvertoneApart(note, expected) &&
            Replayed(look, note, {expected}, kStruckInsteadLevel) &&
            !SingleNoteBegan(look, expected, {note}, total, kOwnPartialsShare, true)) {
            return note;
        }
    }
    return std::nullopt;
}

// Whether the pitch heard in place of the single note expected is another note that rose: a note
// still ringing from before does not, nor an octave slip of the detector on the expected note
// where that began and nothing else did.
bool PitchRose(const Look& look, int pitch, int expected, bool onlyExpectedHeard, double total) {
    return EvidenceOf(look, pitch, kOtherRise, look.floor, {expected}) >=
               kOtherShare * OtherNotesTotal(look, total) &&
           !(onlyExpectedHeard && (pitch - expected) % 12 == 0);
}

// Whether what is new at the single note expected lies only where the other notes heard have
// partials too, or is too little to be a pluck: it was their sound, not the expected note's. A
// note a fret away spreads its fundamental over the expected note's, which then seems to rise a
// little; so beside another note, the expected note's own partials must hold the share that names
// an expected note anywhere. A note an octave or a twelfth away shares every partial of the
// higher one, and leaves the question open.
bool OnlyOthersBegan(const Look& look, int expected, const std::vector<int>& others, double total,
                     bool phaseTells) {
    return !others.empty() && std::none_of(others.begin(), others.end(), [expected](int other) {
        return OvertoneApart(other, expected);
    }) && !SingleNoteBegan(look, expected, others, total, kExpectedShare, phaseTells);
}

}  // namespace

// Where the single note expected was due, the note played in its place joins others; the expected
// note stays in heard only where something new at partials of its own tells of it.
void HearInPlaceOfSingleNote(const Look& look, int single, double total, bool phaseTells,
                             std::vector<int>& heard, std::vector<int>& others) {
    const std::optional<int> pitch = OtherPitchHeard(look, single);
    // A wrong note struck again is sought first, as its partials that lie near the expected
    // note's may pass for a note an octave or more above it.
    std::optional<int> again;
    if (others.empty() && phaseTells) again = NoteStruckAgainInstead(look, single, pitch, total);
    if (again) {
        others.push_back(*again);
    } else if (const auto higher = OvertoneNotePlayed(look, single, others, total)) {
        // A note an octave or a twelfth up sounds only partials of the expected note; what is
        // new in the expected note's own partials tells the two apart.
        heard.clear();
        others.push_back(*higher);
    } else if (pitch && PitchRose(look, *pitch, single, !heard.empty() && others.empty(), total)) {
        others.push_back(*pitch);
    }
    if (OnlyOthersBegan(look, single, others, total, phaseTells)) heard.clear();
}

}  // namespace fretlux
