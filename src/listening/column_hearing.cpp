// SPDX-License-Identifier: MIT
#include "listening/column_hearing.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <iterator>
#include <optional>

#include "listening/onset_look.h"
#include "listening/other_notes.h"
#include "listening/pitch_measure.h"
#include "listening/pitch_names.h"

namespace fretlux {

namespace {

// An expected note was plucked again while it rang when this share of its partials' energy
// after the onsets is not what rang before, and those partials are not lost in the others (they
// hold this share of the energy of all peaks after the onsets).
constexpr double kReplayedShare = 0.3;
constexpr double kReplayedLevel = 0.0015;
// A string plucked again may start in step with its old vibration, by chance, and no louder than
// it rang. Yet a fresh pluck's partials swell over the first tenth of a second, as its two planes
// of vibration and the guitar's body trade energy (and a sampled note's attack builds up), while
// a string that rings on, or is let go, only fades: it was plucked again when its partials' power
// in the second half of the stretch after the onsets is this many times that in the first.
constexpr double kSwell = 1.5;
// Over a shorter look, as at the first hearings of a live onset, each half is too short to tell a
// partial from the attack of a string beside it in the spectrum.
constexpr double kShortestSwellLookSeconds = 0.1;
// A single note plucked again is most of what sounds after the onset; a faint string still
// ringing from earlier is not, and its phase may wander in the room's noise or under a louder
// note close by.
constexpr double kReplayedSingleLevel = 0.2;
// Through a distortion pedal, most of a low note's energy lies above its eighth partial, so a
// single note's share of what sounds counts its partials up to this one. Its phase is judged on
// the first eight alone: higher up, a note a minor third away all but shares partials with it
// (D3's twelfth and F3's tenth lie 16 cents apart), and a wrong note would pass for it.
constexpr int kSoundingPartialsOfSingleNote = 16;
// A partial left with less than this share of the energy it carried on with was damped, not
// plucked again: what is left of it is too faint to follow. A string struck again more softly
// than it rang keeps more, though a synthesiser stops the old voice of a note struck again and
// sounds a new one, which may have a quarter of the old one's energy or less.
constexpr double kFadedShare = 0.12;
// At a faint onset, the new energy must be this share of all the energy after it.
constexpr double kFaintOnsetRise = 0.01;
// A ringing chord swells as its strings trade energy, or as a sampled chord's loops turn, and a
// keen ear may take the swell for a strum. Its strings then carry on in step with their old
// vibration: this many of them or more, each with less than the share kSwellBrokenShare of its
// energy out of step. A strum that only the keen ear hears seldom leaves two strings so, as a pick
// or a finger stops what a string rang and a synthesiser releases its old voice. The share is
// stricter than a single note's, as a strum through an overdriven amplifier may bring one string
// back in step by chance and a second within 30 %.
constexpr int kStringsInStepOfSwell = 2;
constexpr double kSwellBrokenShare = 0.2;
// A chord strummed again through an overdriven amplifier adds little to the level the amplifier
// already holds, so only the keen ear hears its onset; yet a fifth or more of what sounds after
// it is new, where a synthesiser's release or a wandering fading string brings less. There, the
// strings' broken phases tell that they were struck again, as at an ordinary onset.
constexpr double kDrivenStrumRise = 0.2;
// A single note struck again may rise no more than a ringing string's wander: through an
// overdriven amplifier, which holds the sound at one level, or as a sampled guitar's new voice no
// louder than the old one. Yet it is then nearly all that sounds, this share or more. Where nothing
// was played, what breaks step is a fading note's release or the room's echo of it, under other
// strings still ringing, and it holds half of what sounds or a little more.
constexpr double kAloneLevel = 0.7;
// Such a new voice may start nearly in step with the old one. Where the note is nearly all that
// sounds, this much of its energy out of step tells that it was struck again.
constexpr double kAloneBrokenShare = 0.2;
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
// In a chord, a string plucked again more softly than it rang shows it in its higher partials,
// which had died away in the old vibration; so its own partials are counted further up. A single
// note's partials are all its own already, and that far up, those of a note a semitone or two
// away come within reach.
constexpr int kCountedOwnPartialsInChord = 12;
// An expected note's partial began when it rose at all (5 %): a ringing string only decays, and
// one plucked again while it still rang rises little.
constexpr double kExpectedRise = 1.05;
// Shares of all new energy: an expected note began when its partials hold this much of it, or,
// in a chord, its own partials this much.
constexpr double kExpectedShare = 0.02;
constexpr double kOwnPartialsShare = 0.0005;

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

// The new energy in the first counted partials of note that stand floor high, leaving out
// partials that one of the notes explained also has.
double EvidenceOf(const Look& look, int note, double rise, double floor,
                  const std::vector<int>& explained = {}, int counted = kCountedPartials) {
    double evidence = 0.0;
    const double fundamental = FrequencyOfNote(note);
    for (int n = 1; n <= counted && n * fundamental <= kHighestHertz; ++n) {
        const auto peak = PartialPeak(look.after, fundamental, n);
        if (peak && std::none_of(explained.begin(), explained.end(),
                                 [&](int other) { return IsPartialOf(peak->hertz, other); })) {
            evidence += NewEnergy(look, *peak, rise, floor);
        }
    }
    return evidence;
}

// The floor a note's partials are held to when those that the notes in others share are left
// out: what is left of a chord's note are its own partials, which have the lower floor.
double FloorBeside(const Look& look, const std::vector<int>& others) {
    return others.empty() ? look.floor : look.ownPartialsFloor;
}

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

Replay ReplayOf(const Look& look, int note, const std::vector<int>& others) {
    Replay replay{.afterEnergy = look.afterEnergy};
    if (look.earlier.empty()) return replay;
    const double floor = FloorBeside(look, others);
    HalvesPower halves{0.0, 0.0};
    const bool maySwell = static_cast<double>(look.afterSamples.size()) >=
                          kShortestSwellLookSeconds * look.sampleRate;
    const double fundamental = FrequencyOfNote(note);
    const int lastPartial = others.empty() ? kSoundingPartialsOfSingleNote : kCountedPartials;
    for (int n = 1; n <= lastPartial && n * fundamental <= kHighestHertz; ++n) {
        const auto peak = PartialPeak(look.after, fundamental, n);
        if (!peak || peak->magnitude < floor ||
            std::any_of(others.begin(), others.end(),
                        [&](int other) { return IsPartialOf(peak->hertz, other); })) {
            continue;
        }
        replay.sounding += peak->magnitude * peak->magnitude;
        if (n > kCountedPartials) continue;
        replay.unexplained += UnexplainedEnergy(look, peak->hertz);
        replay.soundingJudged += peak->magnitude * peak->magnitude;
        if (maySwell) {
            const HalvesPower power = PowerInHalves(look, peak->hertz);
            halves.first += power.first;
            halves.second += power.second;
        }
    }
    replay.swells = maySwell && halves.second >= kSwell * halves.first;
    return replay;
}

// Whether note, ringing before the onsets, was plucked again, its partials holding at least the
// share level of all the energy after them.
bool Replayed(const Look& look, int note, const std::vector<int>& others, double level) {
    return ReplayOf(look, note, others).Shows(level, kReplayedShare);
}

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

// The notes of expected other than note.
std::vector<int> OthersThan(int note, const std::vector<int>& expected) {
    std::vector<int> others;
    std::copy_if(expected.begin(), expected.end(), std::back_inserter(others),
                 [note](int other) { return other != note; });
    return others;
}

// How many of the chord's strings carried on in step with what they rang, each followed on the
// partials that no other string of the chord has.
int StringsCarriedOn(const Look& look, const std::vector<int>& chord) {
    return static_cast<int>(std::count_if(chord.begin(), chord.end(), [&](int note) {
        return ReplayOf(look, note, OthersThan(note, chord)).CarriedOn(kSwellBrokenShare);
    }));
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

// Whether a single note that is nearly all that sounds after the onsets was struck again.
bool StruckAgainAlone(const Replay& replay) { return replay.Shows(kAloneLevel, kAloneBrokenShare); }

// Whether a single note began, leaving out the partials that the notes in explained have too: its
// partials rose, or, when phaseTells, it was plucked again. Where the phase does not tell, at a
// faint onset, a rise is no pluck when the partials carried on in step with what rang: a ringing
// string's partials swell as its two planes of vibration trade energy, or as a sample's loop
// turns, and a keen ear takes the swell for an onset.
bool SingleNoteBegan(const Look& look, int note, const std::vector<int>& explained, double total,
                     bool phaseTells) {
    const bool rose =
        EvidenceOf(look, note, kExpectedRise, look.floor, explained) >= kOwnPartialsShare * total;
    if (!phaseTells) return rose && !ReplayOf(look, note, explained).CarriedOn(kReplayedShare);
    if (rose) return true;
    const Replay replay = ReplayOf(look, note, explained);
    return replay.Shows(kReplayedSingleLevel, kReplayedShare) ||
           (explained.empty() && StruckAgainAlone(replay));
}

// Whether an expected note began: its partials rose, counting only those that the other
// expected notes do not share when it has such partials of its own (an octave above another
// note of the chord has none, and is then judged on all of its partials), or, when phaseTells,
// they broke step with the old vibration.
bool ExpectedNoteBegan(const Look& look, int note, const std::vector<int>& expected, double total,
                       bool phaseTells) {
    const std::vector<int> others = OthersThan(note, expected);
    // Partials shared with another note of the chord tell nothing of a string plucked again, as
    // the other string may be the one that was.
    if (!HasOwnPartials(note, others))
        return EvidenceOf(look, note, kExpectedRise, look.floor) >= kExpectedShare * total;
    if (others.empty()) return SingleNoteBegan(look, note, {}, total, phaseTells);
    return EvidenceOf(look, note, kExpectedRise, look.ownPartialsFloor, others,
                      kCountedOwnPartialsInChord) >= kOwnPartialsShare * total ||
           (phaseTells && Replayed(look, note, others, kReplayedLevel));
}

// Whether a chord's note with no partials of its own, every one of them another string's too, was
// plucked again at an ordinary onset where no other note began: its partials broke step with the
// old vibration. The other string may be the one that broke them; but a strum strikes every
// string, and a note whose partials the chord sounds anyway changes it least when left out. So
// a chord played right is not judged wrong for want of proof that such a string was struck.
bool DoubledNoteStruckAgain(const Look& look, int note, const std::vector<int>& expected) {
    const std::vector<int> others = OthersThan(note, expected);
    return !others.empty() && !HasOwnPartials(note, others) &&
           Replayed(look, note, {}, kReplayedLevel);
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
            !SingleNoteBegan(look, expected, {note}, total, true)) {
            return note;
        }
    }
    return std::nullopt;
}

// Whether the pitch heard in place of the single note expected is another note that rose: a note
// still ringing from before does not, nor an octave slip of the detector on the expected note
// where that began and nothing else did.
bool PitchRose(const Look& look, int pitch, int expected, bool onlyExpectedHeard, double total) {
    return EvidenceOf(look, pitch, kOtherRise, look.floor, {expected}) >= kOtherShare * total &&
           !(onlyExpectedHeard && (pitch - expected) % 12 == 0);
}

// Whether what is new at the single note expected lies only where the other notes heard have
// partials too: it was their sound, not the expected note's. A note an octave or a twelfth away
// shares every partial of the higher one, and leaves the question open.
bool OnlyOthersBegan(const Look& look, int expected, const std::vector<int>& others, double total,
                     bool phaseTells) {
    return !others.empty() && std::none_of(others.begin(), others.end(), [expected](int other) {
        return OvertoneApart(other, expected);
    }) && !SingleNoteBegan(look, expected, others, total, phaseTells);
}

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

}  // namespace

std::vector<int> NotesBegun(std::span<const float> samples, int sampleRate,
                            const OnsetGroup& onsets, const std::vector<int>& expected) {
    const std::optional<Look> found = LookAt(samples, sampleRate, onsets);
    if (!found) return {};
    const Look& look = *found;
    if (!onsets.louder && expected.size() == 1) {
        return StruckAgainAlone(ReplayOf(look, expected.front(), {})) ? expected
                                                                      : std::vector<int>{};
    }
    double total = 0.0;
    for (const NewPeak& peak : RisingPeaks(look, kExpectedRise)) total += peak.energy;
    std::vector<int> heard;
    if (total <= 0.0 || (onsets.faint && total < kFaintOnsetRise * look.afterEnergy)) return heard;
    if (!onsets.louder && total < kDrivenStrumRise * look.afterEnergy) return heard;
    if (onsets.faint && expected.size() > 1 &&
        StringsCarriedOn(look, expected) >= kStringsInStepOfSwell) {
        return heard;
    }
    // A string plucked again while it rang makes an ordinary onset, so at a faint one the phase
    // of a fading string that wanders (in noise, or in a sample's release) is no new pluck, unless
    // much of what sounds there is new.
    const bool phaseTells =
        !onsets.faint || (expected.size() > 1 && total >= kDrivenStrumRise * look.afterEnergy);
    std::vector<int> others = OtherNotes(look, expected, total);
    for (const int note : expected) {
        if (ExpectedNoteBegan(look, note, expected, total, phaseTells) ||
            (!onsets.faint && others.empty() && DoubledNoteStruckAgain(look, note, expected))) {
            heard.push_back(note);
        }
    }
    if (expected.size() == 1) {
        HearInPlaceOfSingleNote(look, expected.front(), total, phaseTells, heard, others);
    }
    for (const int note : WithoutSlips(look, std::move(others))) {
        if (std::find(heard.begin(), heard.end(), note) == heard.end()) heard.push_back(note);
    }
    std::sort(heard.begin(), heard.end());
    return heard;
}

}  // namespace fretlux
