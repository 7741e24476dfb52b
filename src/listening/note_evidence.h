// SPDX-License-Identifier: MIT
// What the sound around a column's onsets tells of one note: the new energy in its partials, and
// whether they carry on the vibration that rang before them or were plucked afresh. The judging of
// the expected notes and the search for what was played in place of a single note both weigh it.
#pragma once

#include <vector>

#include "listening/onset_look.h"

namespace fretlux {

// A single note plucked again is most of what sounds after the onset; a faint string still
// ringing from earlier is not, and its phase may wander in the room's noise or under a louder
// note close by.
inline constexpr double kReplayedSingleLevel = 0.2;
// An expected note's partial began when it rose at all (5 %): a ringing string only decays, and
// one plucked again while it still rang rises little.
inline constexpr double kExpectedRise = 1.05;
// Shares of all new energy: an expected note began when its partials hold this much of it, or,
// in a chord, its own partials this much.
inline constexpr double kExpectedShare = 0.02;
inline constexpr double kOwnPartialsShare = 0.0005;

// The energy of a partial after the onsets that the partial ringing before does not explain:
// what rang is followed through the two stretches before (its decay and any slight detuning)
// and carried on to the stretch after, where it may only have been damped. A string plucked
// again while it rang starts afresh, out of step with the old vibration.
double UnexplainedEnergy(const Look& look, double hertz);

// The new energy in the first counted partials of note that stand floor high, leaving out
// partials that one of the notes explained also has.
double EvidenceOf(const Look& look, int note, double rise, double floor,
                  const std::vector<int>& explained = {}, int counted = kCountedPartials);

// How note, ringing before the onsets, sounds after them, leaving out partials that the notes in
// others have too: its partials' energy, how much of it (over the partials whose phase is judged)
// is not the old vibration's, and whether it swells.
struct Replay {
    double sounding = 0.0;
    double soundingJudged = 0.0;  // of the partials whose phase is judged
    double unexplained = 0.0;
    bool swells = false;
    double afterEnergy = 0.0;  // all the energy after the onsets

    // Whether its partials, followed through what rang, carried on as they were: less than the
    // share brokenShare of their energy is not the old vibration's, and they do not swell.
    bool CarriedOn(double brokenShare) const {
        return soundingJudged > 0.0 && unexplained < brokenShare * soundingJudged && !swells;
    }
    // Whether it was plucked again: its partials did not carry on, and they hold at least the
    // share level of all the energy after the onsets.
    bool Shows(double level, double brokenShare) const {
        return sounding >= level * afterEnergy && soundingJudged > 0.0 && !CarriedOn(brokenShare);
    }
};

Replay ReplayOf(const Look& look, int note, const std::vector<int>& others);

// Whether note, ringing before the onsets, was plucked again, its partials holding at least the
// share level of all the energy after them.
bool Replayed(const Look& look, int note, const std::vector<int>& others, double level);

// Whether a single note that is nearly all that sounds after the onsets was struck again.
bool StruckAgainAlone(const Replay& replay);

// Whether a single note began, leaving out the partials that the notes in explained have too: its
// partials rose, holding at least the given share of the new energy total, or, when phaseTells, it
// was plucked again. Where the phase does not tell, at a faint onset, a rise is no pluck when the
// partials carried on in step with what rang: a ringing string's partials swell as its two planes
// of vibration trade energy, or as a sample's loop turns, and a keen ear takes the swell for an
// onset.
bool SingleNoteBegan(const Look& look, int note, const std::vector<int>& explained, double total,
                     double share, bool phaseTells);

}  // namespace fretlux
